#pragma once

// Tag soup read into a small tree. libxml2's HTML parser does the reading
// and the repairs (unclosed and misnested tags, implied elements, character
// references); its events are kept here as a flat array of nodes with their
// text in one buffer, which costs a fraction of the parser's own tree: a
// book of a few megabytes is read several times faster and in less memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norvella {

class HtmlTree {
 public:
  struct Node {
    enum class Kind : std::uint8_t { kElement, kText };
    Kind kind = Kind::kElement;

   private:
    friend class HtmlTree;
    std::uint32_t text = 0, textLength = 0;  // the name of an element, the content of text
    std::uint32_t firstAttr = 0, attrCount = 0;
    std::uint32_t firstChild = 0, lastChild = 0, next = 0;  // 0: none
  };

  // The tree of an HTML document given as UTF-8 (its own charset
  // declaration is not followed). Names of elements and attributes are in
  // lower case; comments, processing instructions and the document type
  // are left out.
  static HtmlTree Parse(std::string_view html);

  // The first top-level element (normally html), or null for a document
  // the parser could make nothing of.
  const Node* Root() const { return At(nodes_.empty() ? 0 : nodes_[0].firstChild); }
  const Node* FirstChild(const Node* node) const { return At(node->firstChild); }
  const Node* Next(const Node* node) const { return At(node->next); }

  bool IsElement(const Node* node) const { return node->kind == Node::Kind::kElement; }
  bool IsText(const Node* node) const { return node->kind == Node::Kind::kText; }
  bool Is(const Node* node, std::string_view name) const { return IsElement(node) && Name(node) == name; }
  // The element's name; empty for text.
  std::string_view Name(const Node* node) const { return IsElement(node) ? Chars(node) : std::string_view(); }
  // The text's content; empty for an element.
  std::string_view Text(const Node* node) const { return IsText(node) ? Chars(node) : std::string_view(); }
  // The value of the element's attribute; empty when it has none.
  std::string_view Attr(const Node* node, std::string_view name) const;

 private:
  struct Attribute {
    std::uint32_t name = 0, nameLength = 0, value = 0, valueLength = 0;
  };
  class Reader;

  const Node* At(std::uint32_t index) const { return index == 0 ? nullptr : &nodes_[index]; }
  std::string_view Chars(const Node* node) const { return {chars_.data() + node->text, node->textLength}; }

  std::vector<Node> nodes_;  // [0] is the document, the parent of the top elements
  std::vector<Attribute> attrs_;
  std::string chars_;
};

}  // namespace norvella
