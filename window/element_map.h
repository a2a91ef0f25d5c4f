// The elements of the window's controls, keyed by control and index: what each front end keeps
// of a control (its widget or window handle, its geometry in twips and so on) is an `Element`.
#pragma once

#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "window/controls.h"

namespace zarnel {

template <typename Element>
class ElementMap {
  public:
    using Key = std::pair<Ctl, int>;

    // The element of `ctl` at `index`; std::out_of_range, naming it, when there is none.
    const Element& at(Ctl ctl, int index) const {
        const Key key{ctl, index};
        // The logic sets several properties of one control in a row; elements are never
        // removed, so the last one found stays valid.
        if (lastFound_ && lastKey_ == key) return *lastFound_;
        const auto it = elements_.find(key);
        if (it == elements_.end()) throw std::out_of_range(name(ctl, index) + " does not exist");
        lastKey_ = key;
        lastFound_ = &it->second;
        return it->second;
    }
    Element& at(Ctl ctl, int index) {
        return const_cast<Element&>(std::as_const(*this).at(ctl, index));
    }

    // The element of `ctl` at `index`, or null when there is none.
    const Element* find(Ctl ctl, int index) const {
        const auto it = elements_.find({ctl, index});
        return it == elements_.end() ? nullptr : &it->second;
    }

    // A new element of `ctl` at `index`; std::invalid_argument, naming it, when it exists.
    Element& add(Ctl ctl, int index) {
        const auto [it, added] = elements_.try_emplace({ctl, index});
        if (!added) throw std::invalid_argument(name(ctl, index) + " already exists");
        return it->second;
    }

    // The indices of `ctl`'s elements, lowest first.
    std::vector<int> indices(Ctl ctl) const {
        std::vector<int> found;
        for (auto it = elements_.lower_bound({ctl, std::numeric_limits<int>::min()});
             it != elements_.end() && it->first.first == ctl; ++it)
            found.push_back(it->first.second);
        return found;
    }

    // How many elements `ctl` has.
    int count(Ctl ctl) const { return static_cast<int>(indices(ctl).size()); }

    auto begin() { return elements_.begin(); }
    auto end() { return elements_.end(); }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

  private:
    static std::string name(Ctl ctl, int index) {
        return std::string(ctlName(ctl)) + "(" + std::to_string(index) + ")";
    }

    std::map<Key, Element> elements_;
    mutable Key lastKey_{};
    mutable const Element* lastFound_ = nullptr;
};

}  // namespace zarnel
