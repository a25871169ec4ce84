// A password while the engine holds it: its bytes are overwritten when it
// goes, and so are those of the string it was taken from.
#pragma once

#include <string.h>

#include <string>
#include <string_view>

namespace q32::zip {

inline void wipe(std::string& text) {
    ::explicit_bzero(text.data(), text.size());
    text.clear();
}

class SecretText {
public:
    explicit SecretText(std::string& taken) : text_(taken) { wipe(taken); }
    ~SecretText() { wipe(text_); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    std::string_view view() const { return text_; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace q32::zip
