#include "reports/TemplateRenderer.h"

#include <unordered_map>
#include <vector>

#include <kainjow/mustache.hpp>

#include "base/ConversionError.h"
#include "reports/BlockWriter.h"
#include "reports/TemplateContext.h"

namespace convertor {

namespace kmu = kainjow::mustache;

struct TemplateRenderer::Tree {
    kmu::component<std::string> root;
};

namespace {

using Component = kmu::component<std::string>;
using Kind = TemplateValue::Kind;

// A partial that names itself would otherwise recurse until the stack runs out.
constexpr int kMaxPartialDepth = 100;
// Partials named by a row's own value may differ on every row: past this many, one is parsed
// for its use and not kept, so the memory of a render stays flat.
constexpr std::size_t kMaxKeptPartials = 256;

Component parse(const std::string& text, const std::string& templateName) {
    kmu::context<std::string> none;
    kmu::context_internal<std::string> parseContext{none};
    Component tree;
    std::string error;
    kmu::parser<std::string> parser{text, parseContext, tree, error};
    if (!error.empty()) {
        throw ConversionError("Report template " + templateName + ": " + error);
    }
    return tree;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&#34;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
}

// One render. The line being made stays in the writer's block until its end decides whether it is
// kept: a line holding only section tags and blanks is dropped.
class Pass {
public:
    Pass(const std::string& templateName, TemplateContext& context, BlockWriter& out)
        : m_templateName(templateName), m_context(context), m_out(out), m_lineStart(out.text().size()) {}

    void run(const Component& root) {
        walk(root.children);
        endLine(nullptr);
    }

private:
    void walk(const std::vector<Component>& children) {
        for (const Component& child : children) {
            renderComponent(child);
        }
    }

    bool lineIsBlank() const {
        return !m_lineHandedOn && m_out.text().find_first_not_of(" \t", m_lineStart) == std::string::npos;
    }

    void endLine(const Component* newline) {
        std::string& text = m_out.text();
        if (m_sectionTag && lineIsBlank()) {
            text.resize(m_lineStart);
        } else if (newline != nullptr) {
            text += newline->text;
        }
        m_sectionTag = false;
        m_lineHandedOn = false;
        m_out.endPiece();
        m_lineStart = m_out.text().size();
    }

    // A line of many rows is handed on once it fills a block and can no longer be dropped.
    void handOnLongLine() {
        if (m_out.full() && !lineIsBlank()) {
            m_out.flush();
            m_lineStart = 0;
            m_lineHandedOn = true;
        }
    }

    TemplateValue get(const std::string& name) {
        if (name == ".") {
            return m_context.innermost();
        }
        if (name.find('.') == std::string::npos) {
            return m_context.find(name);
        }
        // Only an object has members, and no name leads to one.
        const auto names = kmu::split(name, '.');
        return names.size() == 1 ? m_context.find(names[0]) : TemplateValue{};
    }

    void renderComponent(const Component& comp) {
        if (comp.is_text()) {
            if (comp.is_newline()) {
                endLine(&comp);
            } else {
                m_out.text() += comp.text;
            }
            return;
        }
        const auto& tag = comp.tag;
        switch (tag.type) {
            case kmu::tag_type::variable:
            case kmu::tag_type::unescaped_variable: {
                const TemplateValue found = get(tag.name);
                if (found.kind == Kind::Text) {
                    if (tag.type == kmu::tag_type::variable) {
                        appendEscaped(m_out.text(), found.text);
                    } else {
                        m_out.text() += found.text;
                    }
                }
                break;
            }
            case kmu::tag_type::section_begin: {
                const TemplateValue found = get(tag.name);
                const bool list = found.kind == Kind::List;
                if (found.kind != Kind::None && !(list && m_context.isEmpty(found))) {
                    renderSection(comp, found, list);
                }
                break;
            }
            case kmu::tag_type::section_begin_inverted: {
                const TemplateValue found = get(tag.name);
                if (found.kind == Kind::None || (found.kind == Kind::List && m_context.isEmpty(found))) {
                    renderSection(comp, found, false);
                }
                break;
            }
            case kmu::tag_type::partial: {
                const TemplateValue found = m_context.find(tag.name);
                if (found.kind == Kind::Text) {
                    renderPartial(std::string(found.text));
                }
                break;
            }
            default:
                break;
        }
    }

    void renderSection(const Component& comp, const TemplateValue& found, bool nonEmptyList) {
        if (nonEmptyList) {
            m_context.forEachItem(found, [&] {
                m_sectionTag = true;
                walk(comp.children);
                m_sectionTag = true;
                handOnLongLine();
            });
            return;
        }
        m_sectionTag = true;
        if (found.kind != Kind::None) {
            m_context.within(found, [&] { walk(comp.children); });
        } else {
            walk(comp.children);
        }
        m_sectionTag = true;
    }

    void renderPartial(const std::string& text) {
        if (m_partialDepth == kMaxPartialDepth) {
            throw ConversionError("Report template " + m_templateName + ": partials nested more than " +
                                  std::to_string(kMaxPartialDepth) + " deep");
        }
        ++m_partialDepth;
        if (const auto kept = m_partials.find(text); kept != m_partials.end()) {
            walk(kept->second.children);
        } else if (m_partials.size() < kMaxKeptPartials) {
            // A reference into the map stays valid while partials within this one are added.
            walk(m_partials.emplace(text, parse(text, m_templateName)).first->second.children);
        } else {
            walk(parse(text, m_templateName).children);
        }
        --m_partialDepth;
    }

    const std::string& m_templateName;
    TemplateContext& m_context;
    BlockWriter& m_out;
    std::size_t m_lineStart;
    bool m_lineHandedOn = false;  // part of the line is in a block handed on already
    bool m_sectionTag = false;    // the line holds a section tag
    std::unordered_map<std::string, Component> m_partials;
    int m_partialDepth = 0;
};

}  // namespace

TemplateRenderer::TemplateRenderer(std::string name, const std::string& text)
    : m_name(std::move(name)), m_tree(std::make_shared<const Tree>(Tree{parse(text, m_name)})) {}

void TemplateRenderer::render(TemplateContext& context, BlockWriter& out) const {
    Pass(m_name, context, out).run(m_tree->root);
}

}  // namespace convertor
