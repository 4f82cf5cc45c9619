#include "import/bounded_json.h"

namespace quorella {

nlohmann::json ParseBoundedJson(std::string_view text) {
  std::size_t depth = 0;
  bool too_deep = false;
  nlohmann::json data = nlohmann::json::parse(
      text,
      [&](int, nlohmann::json::parse_event_t event, nlohmann::json&) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start || event == Event::array_start)
          too_deep = too_deep || ++depth > kJsonDepthLimit;
        if (event == Event::object_end || event == Event::array_end) --depth;
        return !too_deep;
      },
      false);
  if (too_deep) return nlohmann::json(nlohmann::json::value_t::discarded);
  return data;
}

}  // namespace quorella
