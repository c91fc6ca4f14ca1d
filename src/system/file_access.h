// The file operations the save needs. Each operating system has one implementation, kept in a
// file of its own; the rest of the save code is the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <system_error>
#include <vector>

// A new name beside `path` for the file a durable write fills before it is renamed over `path`:
// one nobody can guess, so nobody can put a link or a file there first.
std::string TemporaryNameBeside(const std::string& path);

// What a path names, links followed.
enum class FileKind { Missing, Regular, Directory, Fifo, Device, Socket, Other };

class FileAccess {
 public:
  virtual ~FileAccess() = default;

  // What the system puts between a folder and a name in a path.
  virtual char Separator() const { return '/'; }
  // The folder where programs keep their users' data; empty when the system gives none.
  virtual std::string UserDataFolder() = 0;
  // Creates the folder and any missing folders above it, readable by the user alone.
  virtual std::error_code MakeFolders(const std::string& path) = 0;
  // The path the symbolic links at `path` lead to (the path itself when it is no link). The
  // result may not exist yet.
  virtual std::string FinalPath(const std::string& path) = 0;
  // What the path names; Missing is no error. Errors are those of finding the path (a folder
  // on the way that is a file, a link loop, no permission).
  virtual FileKind Kind(const std::string& path, std::error_code& error) = 0;
  // Reads up to `max` bytes from the start of a regular file. Never waits: anything but a
  // regular file fails without being read.
  virtual std::error_code Read(const std::string& path, size_t max,
                               std::vector<uint8_t>& bytes) = 0;
  // Replaces the file with `bytes` so that a crash or a power loss at any moment leaves either
  // the old or the new file, whole. A link stays a link: the file it leads to is replaced. An
  // existing file keeps its permissions.
  virtual std::error_code Replace(const std::string& path, std::span<const uint8_t> bytes) = 0;
  // Renames a file within its folder, replacing whatever `to` names.
  virtual std::error_code Rename(const std::string& from, const std::string& to) = 0;
  // The names in a folder, without "." and ".."; a folder that does not exist holds none.
  virtual std::error_code List(const std::string& folder, std::vector<std::string>& names) = 0;
  // Deletes a file.
  virtual std::error_code Remove(const std::string& path) = 0;
};

// The file access of the system the game runs on.
FileAccess& SystemFileAccess();
