#pragma once

namespace vantrel {

/// Makes SIGTERM, SIGINT and SIGHUP end the running event loops, so that a
/// window program asked to stop (a logout, Ctrl+C in its terminal, `kill`)
/// returns from main and finishes as at a normal end: the input test
/// closes its log with the summary, and locks and files are let go. No
/// question is asked: nobody may be there to answer it. Needs the
/// QApplication to exist; does nothing where there are no such signals.
void endOnTerminationRequests();

} // namespace vantrel
