// Where the save lives and how it is read and written, so that no save is ever lost: written
// durably, a damaged file kept aside, a file that cannot be read never overwritten.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "save/save_data.h"
#include "system/file_access.h"

class SaveFile {
 public:
  // Takes one line for the user (without the program's name or a line feed).
  using Report = std::function<void(const std::string& line)>;

  static constexpr const char* kFileName = "SaveData.dat";
  static constexpr const char* kDamagedSuffix = ".bad";

  // The save is `folder`/SaveData.dat; an empty `folder` means the user's data folder
  // (moravin/ in FileAccess::UserDataFolder).
  SaveFile(FileAccess& files, std::string folder, Report report);
  // Waits for a store still being written.
  ~SaveFile();
  SaveFile(const SaveFile&) = delete;
  SaveFile& operator=(const SaveFile&) = delete;

  // Fills the record at start-up. A missing save is created with the default record, once
  // copied instead from a valid SaveData.dat in the working directory when the save lives in
  // the user's data folder. A damaged save is moved aside to SaveData.dat.bad and replaced by
  // the default record. False, after a report naming the path and the reason, when the save
  // can be neither read nor created: the game must not start then, and nothing was written.
  bool Load(SaveData& record);
  // Replaces the file with the record, durably. A failure is reported and leaves the previous
  // save as it was. A store begun before is finished first, so the newest record is the last
  // one written.
  bool Store(const SaveData& record);
  // Begins to store the record (as it is now) on a thread of its own and returns at once: a
  // durable write waits for the disk, 2 ms on an idle one and over 100 on a busy one, which a
  // frame cannot. A failure is reported from that thread. Where no thread can be started (a
  // browser without them), the record is stored before this returns.
  void StartStore(const SaveData& record);
  // Waits for the store StartStore began; true when it was written (or none was begun).
  bool FinishStore();

  // The file the save is read from and written to (where its links lead, once loaded).
  const std::string& Path() const { return path_; }

 private:
  bool FindFolder();
  bool Migrate(SaveData& record);
  bool ReadExisting(SaveData& record);
  bool Create(SaveData& record);
  bool Fail(const std::string& line);
  bool Write(const SaveData& record);

  FileAccess& files_;
  std::string folder_;
  bool inUserDataFolder_;
  Report report_;
  std::string path_;
  std::thread storing_;
  bool startedStoreWritten_ = true;  // set by the storing thread, read once it has ended
};

// The game's save file; set by the game application before the first scene runs.
extern SaveFile* g_saveFile;

// Writes the record to the game's save file; false (reported) when it could not be written.
bool StoreSaveData(const SaveData& record);
// The same in the background (SaveFile::StartStore), and the wait for it (FinishStore).
void StartStoringSaveData(const SaveData& record);
bool FinishStoringSaveData();
// Start-up: fills the record from the game's save file (see SaveFile::Load).
bool LoadSaveData(SaveData& record);
