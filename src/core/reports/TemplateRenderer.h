#pragma once

#include <memory>
#include <string>

namespace convertor {

class BlockWriter;
class TemplateContext;

// A mustache template, parsed once, rendered against any context. It keeps the rules of the
// mustache library the templates are written for: escaping, standalone section lines, sections
// over lists, texts and objects, inverted sections, dotted names, set delimiters, and partials,
// whose text the context gives for their name. Immutable: one renderer serves any number of
// renders, on any threads.
class TemplateRenderer {
public:
    // Throws ConversionError when the text is not a valid template; name is for messages.
    TemplateRenderer(std::string name, const std::string& text);

    const std::string& name() const { return m_name; }

    // Each partial text met is parsed once per render, however many rows use it. A partial that
    // is not a valid template, or partials nested without end, throw ConversionError.
    void render(TemplateContext& context, BlockWriter& out) const;

private:
    struct Tree;

    std::string m_name;
    std::shared_ptr<const Tree> m_tree;
};

}  // namespace convertor
