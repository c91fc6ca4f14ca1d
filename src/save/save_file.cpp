#include "save/save_file.h"

#include <system_error>
#include <utility>
#include <vector>

SaveFile* g_saveFile = nullptr;

namespace {

constexpr const char* kProgramFolder = "moravin";

std::string Join(const std::string& folder, const std::string& name, char separator) {
  return folder.ends_with('/') || folder.ends_with(separator) ? folder + name
                                                              : folder + separator + name;
}

std::string Describe(FileKind kind) {
  switch (kind) {
    case FileKind::Directory: return "a folder";
    case FileKind::Fifo: return "a FIFO";
    case FileKind::Device: return "a device";
    case FileKind::Socket: return "a socket";
    default: return "something else";
  }
}

}  // namespace

SaveFile::SaveFile(FileAccess& files, std::string folder, Report report)
    : files_(files),
      folder_(std::move(folder)),
      inUserDataFolder_(folder_.empty()),
      report_(std::move(report)) {
  if (inUserDataFolder_) {
    const std::string data = files_.UserDataFolder();
    if (!data.empty()) folder_ = Join(data, kProgramFolder, files_.Separator());
  }
  if (!folder_.empty()) path_ = Join(folder_, kFileName, files_.Separator());
}

SaveFile::~SaveFile() { FinishStore(); }

bool SaveFile::Load(SaveData& record) {
  FinishStore();  // the path may change below
  record = SaveData{};
  if (folder_.empty())
    return Fail(
        "found no folder for the save: neither XDG_DATA_HOME nor HOME is set "
        "(--save-dir DIR names one)");
  if (const std::error_code error = files_.MakeFolders(folder_))
    return Fail("cannot create the folder " + folder_ + " for the save: " + error.message());
  path_ = files_.FinalPath(Join(folder_, kFileName, files_.Separator()));

  std::error_code error;
  const FileKind kind = files_.Kind(path_, error);
  if (error) return Fail("cannot read the save " + path_ + ": " + error.message());
  switch (kind) {
    case FileKind::Missing: return (inUserDataFolder_ && Migrate(record)) || Create(record);
    case FileKind::Regular: return ReadExisting(record);
    default:
      return Fail("the save " + path_ + " is " + Describe(kind) +
                  ", not a file; it was neither read nor replaced");
  }
}

bool SaveFile::Migrate(SaveData& record) {
  // Earlier versions kept the save in the working directory.
  std::error_code error;
  std::vector<uint8_t> bytes;
  if (files_.Kind(kFileName, error) != FileKind::Regular ||
      files_.Read(kFileName, kSaveFileSize, bytes) || !DecodeSaveFile(bytes, record)) {
    return false;
  }
  if (const std::error_code failed = files_.Replace(path_, EncodeSaveFile(record))) {
    report_("cannot copy SaveData.dat of the working directory to " + path_ + ": " +
            failed.message());
    return false;
  }
  report_("copied SaveData.dat of the working directory to " + path_ +
          "; the old file is left as it was");
  return true;
}

bool SaveFile::ReadExisting(SaveData& record) {
  std::vector<uint8_t> bytes;
  if (const std::error_code error = files_.Read(path_, kSaveFileSize, bytes))
    return Fail("cannot read the save " + path_ + ": " + error.message() +
                "; it is left untouched");
  if (DecodeSaveFile(bytes, record)) return true;

  // Kept for the player (or a bug report) before anything is written in its place.
  const std::string aside = path_ + kDamagedSuffix;
  if (const std::error_code error = files_.Rename(path_, aside))
    return Fail("the save " + path_ + " is damaged and cannot be moved to " + aside + ": " +
                error.message() + "; it is left untouched");
  report_("the save " + path_ + " was damaged: it is kept as " + aside +
          " and a fresh save begins");
  return Create(record);
}

bool SaveFile::Create(SaveData& record) {
  record = SaveData{};
  if (const std::error_code error = files_.Replace(path_, EncodeSaveFile(record)))
    return Fail("cannot create the save " + path_ + ": " + error.message());
  return true;
}

bool SaveFile::Store(const SaveData& record) {
  FinishStore();
  return Write(record);
}

void SaveFile::StartStore(const SaveData& record) {
  FinishStore();
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
  startedStoreWritten_ = Write(record);
#else
  try {
    storing_ = std::thread([this, record] { startedStoreWritten_ = Write(record); });
  } catch (const std::system_error&) {  // no thread to be had: the frame waits after all
    startedStoreWritten_ = Write(record);
  }
#endif
}

bool SaveFile::FinishStore() {
  if (storing_.joinable()) storing_.join();
  const bool written = startedStoreWritten_;
  startedStoreWritten_ = true;
  return written;
}

bool SaveFile::Write(const SaveData& record) {
  if (path_.empty()) return Fail("cannot store the save: there is no folder for it");
  if (const std::error_code error = files_.Replace(path_, EncodeSaveFile(record)))
    return Fail("cannot store the save in " + path_ + ": " + error.message());
  return true;
}

bool SaveFile::Fail(const std::string& line) {
  report_(line);
  return false;
}

bool StoreSaveData(const SaveData& record) { return g_saveFile && g_saveFile->Store(record); }

void StartStoringSaveData(const SaveData& record) {
  if (g_saveFile) g_saveFile->StartStore(record);
}

bool FinishStoringSaveData() { return g_saveFile && g_saveFile->FinishStore(); }

bool LoadSaveData(SaveData& record) {
  if (g_saveFile) return g_saveFile->Load(record);
  record = SaveData{};
  return false;
}
