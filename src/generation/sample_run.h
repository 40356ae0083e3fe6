// The overview sample Project generated on its own, for the Help menu's tutorial: its
// site is the tutorial, and on a first start it has not been generated yet.
#ifndef TARVELO_GENERATION_SAMPLE_RUN_H_
#define TARVELO_GENERATION_SAMPLE_RUN_H_

#include "common/clock.h"
#include "generation/generation_run.h"

namespace tarvelo {

struct Workspace;

/// Generates the overview sample Project of the program folder without making it
/// current: a workspace of its own over the same Host and Program Options, with no
/// question asked (missing files and failing Documents are counted and logged,
/// folders created, read-only outputs skipped, every Document generated). Its status
/// lines are added to the list as it goes; its log and generated-files list are the
/// usual working files. A halt when its settings cannot be read (reported).
RunResult GenerateSampleProject(Workspace& workspace, const Clock& clock);

}  // namespace tarvelo

#endif  // TARVELO_GENERATION_SAMPLE_RUN_H_
