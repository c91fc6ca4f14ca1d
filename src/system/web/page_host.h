// The page around the game as its host (web/shell.html): what the game tells it, and the files
// of resources it fetches after the game has started, handed to the game as they arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "system/game_host.h"

class PageHost final : public IGameHost {
 public:
  // The page holds an update's restart back while a game is on.
  void GameInPlay(bool inPlay) override;
  // The page shows its loading bar, with the fetched files' progress, while the game waits.
  void WaitingForResources(bool waiting) override;
};

// Who takes a fetched file (index, bytes); false when it is refused. The page hands files over
// from then on (moravin_page_file_room and moravin_page_file_arrived, called by the page).
using FetchedFileReceiver = std::function<bool(size_t file, std::vector<uint8_t> bytes)>;
void ReceivePageFiles(FetchedFileReceiver receiver);
