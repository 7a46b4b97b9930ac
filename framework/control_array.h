#pragma once

#include <map>
#include <memory>

#include "framework/runtime_error.h"

namespace dialvane {

// An element array: members by index, with gaps where the window defines none.
template <typename T>
class ControlArray {
public:
    template <typename... Args>
    T& add(int index, Args&&... args) {
        auto& slot = members_[index];
        slot = std::make_unique<T>(std::forward<Args>(args)...);
        return *slot;
    }

    T& operator()(int index) const {
        const auto found = members_.find(index);
        if (found == members_.end()) {
            throw RuntimeError(ErrorCode::ControlArrayElementMissing,
                               "Control array element does not exist");
        }
        return *found->second;
    }
    bool contains(int index) const { return members_.contains(index); }
    std::size_t count() const { return members_.size(); }

private:
    std::map<int, std::unique_ptr<T>> members_;
};

}  // namespace dialvane
