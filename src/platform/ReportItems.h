#pragma once
// Short ways to write the items of a report document, each with only the
// part its kind uses.
#include <string>
#include <vector>

#include "platform/ReportLayout.h"

namespace hvx::report {

inline Item RowItem(std::vector<std::string> cells) {
    return {Item::Kind::Row, std::move(cells), ""};
}
inline Item TotalItem(std::vector<std::string> cells) {
    return {Item::Kind::Total, std::move(cells), ""};
}
inline Item GroupItem(std::string text) {
    return {Item::Kind::Group, {}, std::move(text)};
}
inline Item TextItem(std::string text) {
    return {Item::Kind::Text, {}, std::move(text)};
}
inline Item SpaceItem() {
    return {Item::Kind::Space, {}, ""};
}

}  // namespace hvx::report
