// Long work of a window run on a worker thread: a progress dialog, modal to the window, says
// what is being done with the count and the percentage while the window goes on repainting;
// its "停止" button, when the work may be stopped, sets the stop request the work looks at
// between cases.  Work that has passed its point of no return (WorkProgress::finishing) can
// no longer be stopped: the button is disabled then.
#pragma once

#include <functional>
#include <string>

#include "store/work_progress.h"

class QWidget;

namespace taiyi {

// Runs work on a new thread and returns when it has ended; the dialog appears only when the
// work takes longer than a moment, and stays until the work has ended (also while a stopped
// work undoes what it did).  progress is the work's own: it counts, the dialog reads.
// Without stoppable the dialog has no button.  True unless the stop request was taken.
bool RunWithProgress(QWidget* parent, const std::string& what, WorkProgress& progress,
                     bool stoppable, const std::function<void()>& work);

}  // namespace taiyi
