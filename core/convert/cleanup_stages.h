#pragma once

// Removal of unwanted markup right after the split: forms and scripts with
// everything inside them, images, links, and preformatted-text tags with
// web-server date lines. All comparisons are case-sensitive: tag items are
// already in lower case.

#include "core/convert/context.h"
#include "core/convert/working_list.h"

namespace norvella {

void RemoveFormsAndScripts(WorkingList& list, StageContext& ctx);  // "KillForms-Scripts"
void RemoveImages(WorkingList& list, StageContext& ctx);           // "KillGraph"
void RemoveLinks(WorkingList& list, StageContext& ctx);            // "KillLinks"
void RemovePre(WorkingList& list, StageContext& ctx);              // "Kill Pre Tags"

}  // namespace norvella
