// Ini files in the Windows layout: "[section]" lines and "key=value" lines, sections and
// keys compared without regard to ASCII letter case, first occurrence wins.  The file is
// read when the object is made; every write goes to disk at once, atomically.  Files are
// GBK on disk; a file whose bytes are valid UTF-8 is read as UTF-8 and written back so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace taiyi {

class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }
  // Reads the file again; a missing file reads as empty.  False when it exists but cannot
  // be read.
  bool Reload();

  // Missing key, or a value that is not an integer: def.  "0x"/"0X" starts a hexadecimal
  // value (0x00BBGGRR colours up to 0xFFFFFFFF wrap to int).
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // Read as an integer: any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // Keys of a section in file order (a line without '=' counts as a key with no value).
  std::vector<std::string> ReadSection(std::string_view section) const;
  std::vector<std::string> ReadSections() const;

  // Each write changes the file on disk before it returns; false when the file could not be
  // written (the object then keeps the file's old contents).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool EraseSection(std::string_view section);

  bool IsUtf8OnDisk() const { return utf8_; }

 private:
  struct Item {
    bool isEntry = false;
    std::string key;
    std::string value;
    std::string raw;  // the line as read; empty for a line written by this object
  };
  struct Section {
    std::string name;
    std::string raw;        // header line as read
    bool preamble = false;  // lines before the first header
    std::vector<Item> items;
  };

  const Section* findSection(std::string_view name) const;
  Section* findSection(std::string_view name);
  const Item* findItem(std::string_view section, std::string_view key) const;
  void parse(std::string_view text);
  std::string serialize() const;
  bool save(std::vector<Section> previous);

  std::string path_;
  std::vector<Section> sections_;
  bool utf8_ = false;
  bool bom_ = false;
  std::string eol_ = "\r\n";
};

// Parses a whole-string decimal or "0x" hexadecimal integer; false when it is not one.
bool ParseIniInteger(std::string_view text, int& value);

}  // namespace taiyi
