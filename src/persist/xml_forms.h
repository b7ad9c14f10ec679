// Writers of the two document forms, shared by the document and its tests' helpers.
#pragma once

#include <string>

class xmlNode;

// The text form: the declaration line, then the tree (when there is one), CR LF lines.
std::string xml_text_of(const xmlNode* root);
// The binary form: signature 216 241 188, then the tree depth first.
std::string xml_binary_of(const xmlNode* root);
