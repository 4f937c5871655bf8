#include "core/export/html_tree.h"

#include <libxml/HTMLparser.h>

#include <climits>
#include <memory>

#include "core/base/cp1251.h"

namespace norvella {

// Receives the parser's events and appends them to the tree.
class HtmlTree::Reader {
 public:
  explicit Reader(HtmlTree& tree) : tree_(tree) {
    tree_.nodes_.emplace_back();  // the document
    open_.push_back(0);
  }

  // The parser's events come with its context, which carries the reader;
  // the events left to the library's own handlers need the context too.
  static void OnStart(void* context, const xmlChar* name, const xmlChar** attrs) {
    Of(context).Start(Chars(name), attrs);
  }
  static void OnEnd(void* context, const xmlChar* name) { Of(context).End(Chars(name)); }
  static void OnText(void* context, const xmlChar* text, int length) {
    if (length > 0) Of(context).Text({reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)});
  }

 private:
  static Reader& Of(void* context) { return *static_cast<Reader*>(static_cast<htmlParserCtxt*>(context)->_private); }

  static std::string_view Chars(const xmlChar* text) {
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
  }

  std::uint32_t Store(std::string_view text) {
    const auto at = static_cast<std::uint32_t>(tree_.chars_.size());
    tree_.chars_.append(text);
    return at;
  }

  // Appends a node to the open element and returns its index.
  std::uint32_t Add(Node node) {
    const auto index = static_cast<std::uint32_t>(tree_.nodes_.size());
    Node& parent = tree_.nodes_[open_.back()];
    if (parent.lastChild != 0) tree_.nodes_[parent.lastChild].next = index;
    else parent.firstChild = index;
    parent.lastChild = index;
    tree_.nodes_.push_back(node);
    return index;
  }

  void Start(std::string_view name, const xmlChar** attrs) {
    Node node;
    node.kind = Node::Kind::kElement;
    node.text = Store(name);
    node.textLength = static_cast<std::uint32_t>(name.size());
    node.firstAttr = static_cast<std::uint32_t>(tree_.attrs_.size());
    for (const xmlChar** a = attrs; a && a[0]; a += 2) {
      const std::string_view attrName = Chars(a[0]), value = Chars(a[1]);
      Attribute attr;
      attr.name = Store(attrName);
      attr.nameLength = static_cast<std::uint32_t>(attrName.size());
      attr.value = Store(value);
      attr.valueLength = static_cast<std::uint32_t>(value.size());
      tree_.attrs_.push_back(attr);
    }
    node.attrCount = static_cast<std::uint32_t>(tree_.attrs_.size()) - node.firstAttr;
    open_.push_back(Add(node));
  }

  // The parser closes what it opened, implied and repaired elements
  // included; an end it never opened changes nothing.
  void End(std::string_view name) {
    for (std::size_t depth = open_.size(); depth-- > 1;) {
      if (tree_.Name(&tree_.nodes_[open_[depth]]) != name) continue;
      open_.resize(depth);
      return;
    }
  }

  // Text in pieces (the parser hands it over between references and at
  // its buffer's edges) is one node while nothing else comes between.
  void Text(std::string_view text) {
    const Node& parent = tree_.nodes_[open_.back()];
    if (parent.lastChild != 0) {
      Node& last = tree_.nodes_[parent.lastChild];
      if (last.kind == Node::Kind::kText && last.text + last.textLength == tree_.chars_.size()) {
        tree_.chars_.append(text);
        last.textLength += static_cast<std::uint32_t>(text.size());
        return;
      }
    }
    Node node;
    node.kind = Node::Kind::kText;
    node.text = Store(text);
    node.textLength = static_cast<std::uint32_t>(text.size());
    Add(node);
  }

  HtmlTree& tree_;
  std::vector<std::uint32_t> open_;  // the open elements, the document first
};

namespace {

struct ContextFree {
  void operator()(htmlParserCtxt* context) const {
    if (context->myDoc) xmlFreeDoc(context->myDoc);
    context->myDoc = nullptr;
    htmlFreeParserCtxt(context);
  }
};

std::string RepairedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8At(text, i, code);
    if (length == 0) {
      AppendUtf8(out, 0xFFFD);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::unique_ptr<htmlParserCtxt, ContextFree> ContextOver(std::string_view html) {
  const int size = html.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(html.size());
  return std::unique_ptr<htmlParserCtxt, ContextFree>(htmlCreateMemoryParserCtxt(html.data(), size));
}

}  // namespace

HtmlTree HtmlTree::Parse(std::string_view html) {
  // The parser meeting bytes that are no UTF-8 would go on in Latin-1 from
  // there and hand over text that is neither; such bytes become U+FFFD
  // first, so that every text of the tree is UTF-8.
  std::string repaired;
  if (!IsValidUtf8(html)) {
    repaired = RepairedUtf8(html);
    html = repaired;
  }
  HtmlTree tree;
  Reader reader(tree);
  const auto context = ContextOver(html);
  if (!context) return tree;
  htmlCtxtUseOptions(context.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                        HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC);
  // The text is UTF-8 already: the parser takes its bytes as they are and
  // follows neither the document's own charset declaration (it names the
  // code page the document had before it was converted) nor a guess.
  context->charset = XML_CHAR_ENCODING_UTF8;
  xmlSAXHandler* sax = context->sax;
  sax->startElement = &Reader::OnStart;
  sax->endElement = &Reader::OnEnd;
  sax->characters = &Reader::OnText;
  sax->cdataBlock = &Reader::OnText;
  sax->ignorableWhitespace = nullptr;
  sax->comment = nullptr;
  sax->processingInstruction = nullptr;
  sax->startElementNs = nullptr;
  sax->endElementNs = nullptr;
  context->_private = &reader;
  htmlParseDocument(context.get());
  return tree;
}

std::string_view HtmlTree::Attr(const Node* node, std::string_view name) const {
  for (std::uint32_t i = node->firstAttr; i < node->firstAttr + node->attrCount; ++i) {
    const Attribute& a = attrs_[i];
    if (std::string_view(chars_.data() + a.name, a.nameLength) == name)
      return {chars_.data() + a.value, a.valueLength};
  }
  return {};
}

}  // namespace norvella
