// Capabilities of the screen, read from the desktop window's device context.
#include "framework/handles.h"
#include "probes/probe_text.h"
#include "probes/system_probes.h"

namespace ovix::probes {
namespace {

// The portable tables carry the bits as numbers: they must be the system's.
static_assert(kRasterCapBits[0].bit == RC_BANDING && kRasterCapBits[1].bit == RC_BITBLT &&
              kRasterCapBits[2].bit == RC_BITMAP64 && kRasterCapBits[3].bit == RC_FLOODFILL &&
              kRasterCapBits[4].bit == RC_SCALING);
static_assert(kLineCapBits[0].bit == LC_INTERIORS && kLineCapBits[1].bit == LC_MARKER &&
              kLineCapBits[2].bit == LC_POLYLINE && kLineCapBits[3].bit == LC_POLYMARKER &&
              kLineCapBits[4].bit == LC_STYLED && kLineCapBits[5].bit == LC_WIDE &&
              kLineCapBits[6].bit == LC_WIDESTYLED);
static_assert(kTextCapBits[0].bit == TC_OP_CHARACTER && kTextCapBits[1].bit == TC_OP_STROKE &&
              kTextCapBits[2].bit == TC_CP_STROKE && kTextCapBits[3].bit == TC_CR_90 &&
              kTextCapBits[4].bit == TC_EA_DOUBLE && kTextCapBits[5].bit == TC_IA_ABLE &&
              kTextCapBits[6].bit == TC_UA_ABLE && kTextCapBits[7].bit == TC_SO_ABLE &&
              kTextCapBits[8].bit == TC_RA_ABLE && kTextCapBits[9].bit == TC_VA_ABLE &&
              kTextCapBits[10].bit == TC_SCROLLBLT);
static_assert(kPolygonCapBits[0].bit == PC_INTERIORS && kPolygonCapBits[1].bit == PC_POLYGON &&
              kPolygonCapBits[2].bit == PC_RECTANGLE && kPolygonCapBits[3].bit == PC_SCANLINE &&
              kPolygonCapBits[4].bit == PC_STYLED && kPolygonCapBits[5].bit == PC_WIDE &&
              kPolygonCapBits[6].bit == PC_WIDESTYLED);
static_assert(kCurveCapBits[0].bit == CC_CHORD && kCurveCapBits[1].bit == CC_CIRCLES &&
              kCurveCapBits[2].bit == CC_ELLIPSES && kCurveCapBits[3].bit == CC_INTERIORS &&
              kCurveCapBits[4].bit == CC_PIE && kCurveCapBits[5].bit == CC_ROUNDRECT &&
              kCurveCapBits[6].bit == CC_STYLED && kCurveCapBits[7].bit == CC_WIDE &&
              kCurveCapBits[8].bit == CC_WIDESTYLED);

// One capability of the desktop window's DC, which is released at once.
int ScreenCaps(int index) {
    const fw::WindowDc dc(::GetDesktopWindow(), true);
    return dc.Get() ? ::GetDeviceCaps(dc.Get(), index) : 0;
}

void AppendCaps(int index, std::span<const CapabilityBit> table, std::vector<std::string>& lines) {
    AppendCapabilityLines(table, static_cast<uint32_t>(ScreenCaps(index)), lines);
}

}  // namespace

std::string RasterTechnology() { return RasterTechnologyLine(ScreenCaps(TECHNOLOGY)); }

void RasterCapsList(std::vector<std::string>& lines) { AppendCaps(RASTERCAPS, kRasterCapBits, lines); }

void CurveCapsList(std::vector<std::string>& lines) { AppendCaps(CURVECAPS, kCurveCapBits, lines); }

void LineCapsList(std::vector<std::string>& lines) { AppendCaps(LINECAPS, kLineCapBits, lines); }

void PolygonCapsList(std::vector<std::string>& lines) { AppendCaps(POLYGONALCAPS, kPolygonCapBits, lines); }

void TextCapsList(std::vector<std::string>& lines) { AppendCaps(TEXTCAPS, kTextCapBits, lines); }

}  // namespace ovix::probes
