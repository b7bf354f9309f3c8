#include "sqpmain/found_folders_offer.h"

#include <system_error>
#include <thread>

namespace sqp {

void StartFolderSearch(TSQPMainForm& form, std::shared_ptr<WindowPost> post,
                       std::shared_ptr<const SearchPlaces> places, SearchLimits limits) {
  try {
    std::thread([&form, post = std::move(post), places = std::move(places), limits] {
      FoundFolders found = SearchFolders(places, limits);
      post->Post([&form, found = std::move(found)] {
        form.FolderFieldOf(form.UOClientPathEdit)->SetFoundFolders(found.client);
        form.FolderFieldOf(form.UOCDPathEdit)->SetFoundFolders(found.cd);
      });
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: nothing is offered, and the fields work as ever.
  }
}

}  // namespace sqp
