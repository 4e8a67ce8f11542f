#pragma once
// The Save button of the BDMV tab: index.bdmv, then MovieObject.bdmv, each with its backup.

#include "bdmv/disc.h"
#include "core/backup_save.h"

namespace mirtal::bdmv {

// Each writes its file from the model with the backup step first and logs F + " saved.".
// A file that did not read is never written: that would replace it with an empty model.
core::SaveOutcome indexsave(const Disc& disc, const core::BackupOptions& options, core::Report& report);
core::SaveOutcome mobjsave(const Disc& disc, const core::BackupOptions& options, core::Report& report);

// indexsave, then mobjsave; the second runs after a failed backup of the first but not after a
// failed write. Returns true when both files were written.
bool saveBdmv(const Disc& disc, const core::BackupOptions& options, core::Report& report);

}  // namespace mirtal::bdmv
