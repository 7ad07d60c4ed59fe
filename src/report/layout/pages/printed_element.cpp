#include "report/layout/pages/printed_element.h"

namespace dorvana {

namespace {
const std::shared_ptr<const PrintedStyle>& defaultStyle() {
    static const auto style = std::make_shared<const PrintedStyle>();
    return style;
}
}  // namespace

TPrevPrvek::TPrevPrvek() : style_(defaultStyle()) {}

TPrevPrvek::TPrevPrvek(std::shared_ptr<const PrintedStyle> style)
    : style_(style ? std::move(style) : defaultStyle()) {}

PrintedStyle& TPrevPrvek::editStyle() {
    // A style this element made and nobody else holds may change in place.
    if (own_ == nullptr || own_ != style_.get() || style_.use_count() != 1) {
        auto copy = std::make_shared<PrintedStyle>(*style_);
        own_ = copy.get();
        style_ = std::move(copy);
    }
    return *own_;
}

}  // namespace dorvana
