#pragma once
// A card pushed into the reader while the window runs is offered for
// opening: a newly mounted volume with a drive recorder's layout gets one
// notice, a volume without it none, and one the user ignored is not offered
// again until it has been unmounted.

#include <optional>
#include <set>
#include <string>

class CardInsertOffers {
 public:
  // The notice for a volume just mounted at mountPoint; nothing when it is
  // no card or was ignored.
  std::optional<std::string> Mounted(const std::string& mountPoint);
  void Unmounted(const std::string& mountPoint);
  void Ignore(const std::string& mountPoint);

 private:
  std::set<std::string> ignored_;
};

// "A drive recorder card was inserted: <label> at <mount point>", the label
// being the name the desktop mounts the volume under.
std::string CardInsertedText(const std::string& mountPoint);
