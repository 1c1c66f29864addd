// The country file (cty.dat format): the DXCC entities with their prefixes and the calls listed
// one by one, and the resolution of a logged call to its entity.
//
// Each entity is one record: a line of eight fields each ended by ':' (name, CQ zone, ITU zone,
// continent, latitude, longitude, UTC offset, primary prefix), then its entries separated by
// commas over any number of lines up to ';'. An entry is a prefix ("ON") or, after '=', a whole
// call ("=SV2ASP/A"); it may carry overrides of zones, position, continent or UTC offset in (),
// [], <>, {} and ~~, which are not needed here and skipped. A primary prefix marked with '*'
// belongs to an entity of another award list (Sicily, "*IT9"), not a DXCC entity: it is left out,
// and its calls resolve to the DXCC entity they are part of.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv_score {

// Where the Debian package hamradio-files installs the country file.
inline constexpr std::string_view kDefaultCountryFilePath = "/usr/share/hamradio-files/cty.dat";

struct Entity {
  std::string name;  // "Belgium", "Fed. Rep. of Germany"
  int cqZone = 0;
  int ituZone = 0;
  std::string continent;      // AF, AN, AS, EU, NA, OC or SA
  double latitude = 0;        // degrees, north positive
  double longitude = 0;       // degrees, west positive (the file's convention)
  double utcOffset = 0;       // hours to add to UTC
  std::string primaryPrefix;  // as the file spells it: "ON", "SV/a"
  // The DXCC prefix handed to the plug-in: the primary prefix, or the plug-in's own spelling
  // where its European-Union list spells the entity differently ("SY" for Mount Athos).
  std::string dxccPrefix;
};

class CountryFile {
 public:
  // Reads text in the country-file format. A record that cannot be read is skipped, an entry
  // that cannot be read is left out, and each gets a line in problems(); the rest is kept.
  static CountryFile parse(std::string_view text);

  // The DXCC entities in file order (entities of other award lists are not among them).
  const std::vector<Entity>& entities() const { return entities_; }
  // What could not be read, one line each with its line number; at most kMaxProblems lines and a
  // last one counting the rest.
  const std::vector<std::string>& problems() const { return problems_; }
  static constexpr std::size_t kMaxProblems = 20;

  // The entity of a logged call, or null: an entry for the whole call first; then, for a call
  // operated elsewhere ("OH0/DL1ABC", "DL1ABC/ON"), the location part's entity; otherwise an
  // entry for the station's own call or its longest listed prefix. Calls at sea or in the air
  // (/MM, /AM) are in no entity unless listed whole.
  const Entity* resolve(std::string_view call) const;
  // The resolved entity's DXCC prefix, empty when there is none.
  std::string_view dxccPrefix(std::string_view call) const;

 private:
  using Index = std::map<std::string, std::size_t, std::less<>>;
  const Entity* longestPrefix(std::string_view call) const;
  const Entity* exactCall(std::string_view call) const;

  std::vector<Entity> entities_;
  Index prefixes_;
  Index calls_;
  std::vector<std::string> problems_;
};

// Reads and parses a country file. Empty with `error` set when it cannot be read, or when no
// entity could be read from it; problems() then tells what was skipped in a file that was read.
std::optional<CountryFile> loadCountryFile(const std::string& path, std::string& error);

}  // namespace zrv_score
