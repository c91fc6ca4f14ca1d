#include "system/web/page_host.h"

#include <emscripten.h>

#include <map>
#include <utility>

// Defined by the page's library (web/library.js).
extern "C" {
void moravin_page_game_state(int inPlay);
void moravin_page_waiting(int waiting);
}

namespace {

FetchedFileReceiver g_receiver;
// Files the page is copying in: room made for them, not handed over yet.
std::map<size_t, std::vector<uint8_t>> g_arriving;

}  // namespace

void PageHost::GameInPlay(bool inPlay) { moravin_page_game_state(inPlay ? 1 : 0); }

void PageHost::WaitingForResources(bool waiting) { moravin_page_waiting(waiting ? 1 : 0); }

void ReceivePageFiles(FetchedFileReceiver receiver) { g_receiver = std::move(receiver); }

// The page copies a fetched file into the game's memory in two steps: room for `size` bytes,
// then the word that they are there. The room is the very vector the resources keep.
extern "C" EMSCRIPTEN_KEEPALIVE uint8_t* moravin_page_file_room(size_t file, size_t size) {
  std::vector<uint8_t>& room = g_arriving[file];
  room.assign(size, 0);
  return room.data();
}

extern "C" EMSCRIPTEN_KEEPALIVE int moravin_page_file_arrived(size_t file) {
  const auto found = g_arriving.find(file);
  if (found == g_arriving.end()) return 0;
  std::vector<uint8_t> bytes = std::move(found->second);
  g_arriving.erase(found);
  return g_receiver && g_receiver(file, std::move(bytes)) ? 1 : 0;
}
