#pragma once
// The registry stand-in: string values under a root, a key and a value name, read from an INI
// file whose sections are "ROOT\key" and whose entries are "value name=text". Names compare
// without regard to case, as the registry's do.

#include <memory>
#include <optional>
#include <string>

namespace ui {

class Registry {
 public:
  explicit Registry(std::string path);
  virtual ~Registry() = default;
  // "registry.ini" in the user's configuration folder, under "Qorvane".
  static std::unique_ptr<Registry> MakeDefault();
  // nullopt when the key or the value is absent.
  virtual std::optional<std::string> ReadString(const std::string& root, const std::string& key,
                                                const std::string& valueName) const;

 private:
  std::string path_;
};

}  // namespace ui
