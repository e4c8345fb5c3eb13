#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace convertor {

// What a name of a template stands for: nothing, a text, a list of items or one item (an object).
struct TemplateValue {
    enum class Kind { None, Text, List, Object };

    Kind kind = Kind::None;
    std::string_view text;      // a Text, valid until the context is asked again
    const void* ref = nullptr;  // a List or an Object, for the context that handed it out

    static TemplateValue ofText(std::string_view text) { return {Kind::Text, text, nullptr}; }
};

// The values a template is rendered against, in nested scopes: each section over a list makes
// each item in turn the innermost scope, a section over anything else makes that value it.
class TemplateContext {
public:
    virtual ~TemplateContext() = default;

    // The name looked for from the innermost scope outwards.
    virtual TemplateValue find(const std::string& name) = 0;
    // The innermost scope itself: what {{.}} stands for.
    virtual TemplateValue innermost() = 0;
    virtual bool isEmpty(const TemplateValue& list) = 0;
    // Calls body once per item of the list, the item the innermost scope meanwhile.
    virtual void forEachItem(const TemplateValue& list, const std::function<void()>& body) = 0;
    // Calls body once with the value the innermost scope.
    virtual void within(const TemplateValue& value, const std::function<void()>& body) = 0;
};

}  // namespace convertor
