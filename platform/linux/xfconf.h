// xfconf's channel files (xfce-perchannel-xml/*.xml): properties nested in properties, each
// with a name, maybe a value, and for an array its <value> items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarnel::linux_fs {

struct XfconfProperty {
    std::vector<std::string> path;   // the names from the outermost property down to this one
    std::string value;               // its value attribute, as written; empty if none
    std::vector<std::string> items;  // an array's items' values
};

// Every property of the channel, outer ones before those they hold.
std::vector<XfconfProperty> xfconfProperties(std::string_view channelXml);

}  // namespace zarnel::linux_fs
