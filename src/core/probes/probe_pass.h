#pragma once

namespace sqp {

// While one lives on a thread, the file probes on that thread may keep what
// they learn about folders, so that the probes of one check pass resolve
// its folder once. Files may change between passes: nothing is kept beyond
// the outermost pass.
class ProbePass {
 public:
  ProbePass();
  ~ProbePass();
  ProbePass(const ProbePass&) = delete;
  ProbePass& operator=(const ProbePass&) = delete;

 private:
  bool outermost_ = false;
};

}  // namespace sqp
