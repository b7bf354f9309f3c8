#pragma once

#include <string>
#include <vector>

#include "found/search_places.h"
#include "probes/posix/posix_spelling.h"

namespace sqp {

// Where Wine keeps Windows programs on Linux: the usual prefixes under the
// home (plain Wine, Lutris, Bottles, Steam, PlayOnLinux), each with its
// drive C: and the drive letters that lead out of it, and the mounted media.
// Folders on network file systems are skipped.
class PosixSearchPlaces : public SearchPlaces {
 public:
  PosixSearchPlaces(PathEnvironment environment, std::vector<std::string> media);

  std::vector<SearchPlace> Places() const override;
  PlaceListing List(const std::string& folder) const override;
  std::string Join(const std::string& folder, const std::string& name) const override;

 private:
  void AddPrefix(const std::string& prefix, bool is_default,
                 std::vector<SearchPlace>& places) const;

  PathEnvironment environment_;
  std::vector<std::string> media_;
};

// The media folders of `user`: /media, /media/<user>, /run/media/<user>, /mnt.
std::vector<std::string> MediaFolders(const std::string& user);

}  // namespace sqp
