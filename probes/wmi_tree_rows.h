// The tree's per-instance groups fed by the management service: each reads
// the list probes of its class and pairs them by position (Custom rows of the
// information tree).
#pragma once

#include "probes/information_tree.h"

namespace ovix {

// Under "Network login profile": one caption item (image 45) per profile with
// its lines below it.
void LoginProfileRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);
// Under the memory "Cache": "%s (%s Kb)" per cache.
void CacheMemoryRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);
// Under the disks' "Model": four lines per disk.
void DiskModelRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);
// Under "CD/DVD": the drive letter (bold, image 52), its model and device ID.
void CdromRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);
// Under "Sound device": three lines per device.
void SoundDeviceRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);
// Under "Printer", once a default printer is known: "Please wait..." on the
// splash while the details are read, then one bold section (image 13) per
// printer with nine lines.
void PrinterSections(TreeWriter& tree, HTREEITEM parent, const BuildContext& context);

}  // namespace ovix
