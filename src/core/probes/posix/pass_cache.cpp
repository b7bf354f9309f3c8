#include "probes/posix/pass_cache.h"

#include <memory>

#include "probes/probe_pass.h"

namespace sqp {

namespace {
thread_local std::unique_ptr<PassCache> current_pass;
}  // namespace

PassCache* CurrentPassCache() { return current_pass.get(); }

ProbePass::ProbePass() {
  if (current_pass) return;
  current_pass = std::make_unique<PassCache>();
  outermost_ = true;
}

ProbePass::~ProbePass() {
  if (outermost_) current_pass.reset();
}

}  // namespace sqp
