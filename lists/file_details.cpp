#include "lists/file_details.h"

#include "framework/text_format.h"
#include "framework/win.h"
#include "probes/system_probes.h"

#include <vector>

namespace ovix {
namespace {

std::string VersionString(const std::vector<char>& block, const char* translation, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\") + translation + "\\" + name;
    if (!::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
    return std::string(value, strnlen(value, length));
}

}  // namespace

FileDetails ReadFileDetails(const std::string& path) {
    FileDetails details;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size && ::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
            length >= sizeof(VS_FIXEDFILEINFO)) {
            details.version = fw::Format("%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                                         HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        }
        struct Translation {
            WORD language, codePage;
        };
        Translation* translations = nullptr;
        if (::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                             &length) &&
            translations && length >= sizeof(Translation)) {
            const std::string id = fw::Format("%04x%04x", translations->language, translations->codePage);
            details.description = VersionString(block, id.c_str(), "FileDescription");
            details.company = VersionString(block, id.c_str(), "CompanyName");
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        details.created = probes::FileTimeText(data.ftCreationTime);
        details.modified = probes::FileTimeText(data.ftLastWriteTime);
    }
    return details;
}

}  // namespace ovix
