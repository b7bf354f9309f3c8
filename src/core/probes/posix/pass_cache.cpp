#include "probes/posix/pass_cache.h"

#include "probes/probe_pass.h"

namespace sqp {

namespace {
// Kept for the thread's life and emptied after each pass, so that a pass
// allocates nothing for a cache it may not need.
thread_local PassCache pass_cache;
thread_local bool in_pass = false;
}  // namespace

PassCache* CurrentPassCache() { return in_pass ? &pass_cache : nullptr; }

ProbePass::ProbePass() {
  if (in_pass) return;
  in_pass = true;
  outermost_ = true;
}

ProbePass::~ProbePass() {
  if (!outermost_) return;
  in_pass = false;
  pass_cache.folders.clear();
  pass_cache.paths.clear();
  pass_cache.listable.clear();
}

}  // namespace sqp
