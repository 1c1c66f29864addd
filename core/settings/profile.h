// The profile seam: one key of an INI-style settings file, read or written.
//
// Implementations follow the Windows private-profile functions on everything the plug-in meets:
// section and key names match without regard to case, a missing file or key reads as the default
// (with its trailing blanks dropped), blanks around a stored value are dropped, and a write
// creates the file and the section when missing (but not the folder) and keeps every other line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace stats {

// One section of the settings file as one operation of the plug-in reads it: the file is read once
// for all the operation's reads, and the operation's own writes are taken in, so that a key reads
// as the file holds it after them. Changes others make to the file meanwhile are seen by the next
// operation, which takes a snapshot of its own.
class ProfileSnapshot {
 public:
  virtual ~ProfileSnapshot() = default;

  // As ProfileStore::read of the snapshot's section.
  virtual std::string read(std::string_view key, std::string_view defaultValue) const = 0;

  // Takes in a write of `key` to the store that succeeded.
  virtual void written(std::string_view key, std::string_view value) = 0;
};

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The whole stored value, or `defaultValue` without its trailing blanks when there is none.
  virtual std::string read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) = 0;

  // Stores `value` under `key`; false when the file could not be written.
  virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;

  // A snapshot of `section` for the reads of one operation. A store whose reads are cheap may read
  // each key through `read` when it is asked for (kernel32 keeps the file it read last in
  // memory); a store that reads the whole file for each key reads it here once.
  virtual std::unique_ptr<ProfileSnapshot> snapshot(std::string_view section) = 0;

  // The file's name as messages give it, in the platform's own form; empty where the plug-in's
  // own name ("Plugins\ZRV.ini") is that form.
  virtual std::string shownName() const { return {}; }
};

// A snapshot that reads each key through the store when asked for: what a read gives is what the
// store's `read` gives at that moment, the store's own writes included. For a store whose reads are
// cheap (the Windows one, and stores kept in memory).
class ReadThroughSnapshot final : public ProfileSnapshot {
 public:
  ReadThroughSnapshot(ProfileStore& store, std::string_view section)
      : store_(store), section_(section) {}
  std::string read(std::string_view key, std::string_view defaultValue) const override {
    return store_.read(section_, key, defaultValue);
  }
  void written(std::string_view, std::string_view) override {}

 private:
  ProfileStore& store_;
  std::string section_;
};

// The platform's profile store for `fileName`, a name as the plug-in gives it ("Plugins\ZRV.ini"),
// resolved against the current directory. Defined once per platform.
std::unique_ptr<ProfileStore> makePlatformProfileStore(std::string fileName);

}  // namespace stats
