// The Xml class through its members: elements and attributes by id, the
// ids a document hands out, and the document loaded and saved through a
// File, a path, a resource and a text; xmllint accepts what it saves.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classes/PObjFile.h"
#include "classes/PObjXml.h"
#include "engine/PObjectDefinition.h"
#include "tests/classes/DataClassTest.h"

namespace {

using classtest::kUnset;
using X = PObjXml;

class PObjXmlTest : public classtest::DataClassTest {};

TEST_F(PObjXmlTest, Declaration) {
  PObjectDefinition* d = engine.FindDefinition(PObjXml::kTypeCode);
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetName(), "Xml");
  EXPECT_EQ(d->GetCategory(), CATEGORY_FILES);
  ASSERT_EQ(d->GetConstantCount(), 2);
  EXPECT_STREQ(d->GetConstantName(1).GetText(), "ROOT");
  EXPECT_EQ(d->GetConstant(1)->ToInt64(), 1);
  ASSERT_EQ(d->GetMemberCount(), 30);
  const int params[30] = {1, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 0, 0, 4, 3,
                          1, 1, 1, 1, 1, 1, 2, 1, 1, 3, 3, 2, 2, 1, 1};
  const int defaults[30] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1,
                            0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int m = 0; m < 30; m++) {
    EXPECT_EQ(d->GetParamCount(m), params[m]) << m;
    EXPECT_EQ(d->GetDefaultCount(m), defaults[m]) << m;
  }
  EXPECT_STREQ(d->GetParamInfo(X::CLEAR, 0)->GetDefault().ToString().GetText(), "xml");
  EXPECT_EQ(d->GetParamInfo(X::SAVE_FILE, 0)->GetType(), engine.FindDefinition(PObjFile::kTypeCode));
  EXPECT_EQ(d->GetReturnType(X::SET_ROOT_NAME), engine.GetVoidDefinition());
}

// Ids count up from 2 and are not handed out again until the document is
// cleared; the root stays.
TEST_F(PObjXmlTest, IdsOfANewDocument) {
  PObjXml* x = NewObject<PObjXml>();
  EXPECT_EQ(Text(x, X::GET_ROOT_NAME), "xml");
  EXPECT_EQ(Int(x, X::GET_CHILD_COUNT, 1), 0);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "item"), 2);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "item"), 3);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "9lives"), 0);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 42, "item"), 0);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 2, "sub"), 4);
  EXPECT_EQ(Int(x, X::REMOVE, 1), 0);
  EXPECT_EQ(Text(x, X::GET_NAME, 1), "xml");
  EXPECT_EQ(Int(x, X::REMOVE, 2), 1);
  EXPECT_EQ(Text(x, X::GET_NAME, 4), "");  // went with its parent
  EXPECT_EQ(Int(x, X::REMOVE, 2), 0);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "item"), 5);
  EXPECT_EQ(Int(x, X::REMOVE_CHILDREN, 1), 1);
  EXPECT_EQ(Int(x, X::GET_CHILD_COUNT, 1), 0);
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "item"), 6);

  Do(x, X::CLEAR, "doc");
  EXPECT_EQ(Text(x, X::GET_ROOT_NAME), "doc");
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "item"), 2);
  Do(x, X::CLEAR, "not a name");
  EXPECT_EQ(Text(x, X::GET_ROOT_NAME), "xml");
  Do(x, X::SET_ROOT_NAME, "config");
  Do(x, X::SET_ROOT_NAME, "1bad");
  EXPECT_EQ(Text(x, X::GET_NAME, X::kRootId), "config");
}

TEST_F(PObjXmlTest, WalkingByIds) {
  PObjXml* x = NewObject<PObjXml>();
  const int64_t a = Int(x, X::ADD_CHILD, 1, "Row"), other = Int(x, X::ADD_CHILD, 1, "other"),
                b = Int(x, X::ADD_CHILD, 1, "row"), c = Int(x, X::ADD_CHILD, 1, "ROW");
  EXPECT_EQ(Int(x, X::FIND_CHILD, 1, "rOw"), a);
  EXPECT_EQ(Int(x, X::FIND_CHILD, 1, "none"), 0);
  // Siblings of the same name, ignoring case, skipping the others.
  EXPECT_EQ(Int(x, X::GET_NEXT, a), b);
  EXPECT_EQ(Int(x, X::GET_NEXT, b), c);
  EXPECT_EQ(Int(x, X::GET_NEXT, c), 0);
  EXPECT_EQ(Int(x, X::GET_PREVIOUS, c), b);
  EXPECT_EQ(Int(x, X::GET_PREVIOUS, b), a);
  EXPECT_EQ(Int(x, X::GET_PREVIOUS, a), 0);
  EXPECT_EQ(Int(x, X::GET_NEXT, other), 0);
  EXPECT_EQ(Int(x, X::GET_PARENT, b), 1);
  EXPECT_EQ(Int(x, X::GET_PARENT, 1), 0);
  EXPECT_EQ(Int(x, X::GET_CHILD_COUNT, 1), 4);
  // Ids that do not exist.
  for (int64_t id : {int64_t(0), int64_t(-1), int64_t(99)}) {
    EXPECT_EQ(Int(x, X::GET_PARENT, id), 0);
    EXPECT_EQ(Int(x, X::GET_CHILD_COUNT, id), 0);
    EXPECT_EQ(Int(x, X::FIND_ATTRIBUTE, id, "a"), -1);
    EXPECT_EQ(Text(x, X::GET_NAME, id), "");
    EXPECT_EQ(Int(x, X::SET_TEXT, id, "t"), 0);
    EXPECT_EQ(Int(x, X::SET_ATTRIBUTE, id, "a", "v"), 0);
  }
}

TEST_F(PObjXmlTest, AttributesAndText) {
  PObjXml* x = NewObject<PObjXml>();
  const int64_t e = Int(x, X::ADD_CHILD, 1, "e", "id", "7");
  EXPECT_EQ(Int(x, X::ADD_CHILD, 1, "bare", "2x", "no"), 3);
  EXPECT_EQ(Int(x, X::GET_ATTRIBUTE_COUNT, 3), 0);
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE, e, "id"), "7");
  EXPECT_EQ(Int(x, X::ADD_ATTRIBUTE, e, "kind", "k"), 1);
  EXPECT_EQ(Int(x, X::ADD_ATTRIBUTE, e, "kind", "again"), -1);
  EXPECT_EQ(Int(x, X::ADD_ATTRIBUTE, e, "no name"), -1);
  EXPECT_EQ(Int(x, X::GET_ATTRIBUTE_COUNT, e), 2);
  EXPECT_EQ(Int(x, X::FIND_ATTRIBUTE, e, "kind"), 1);
  EXPECT_EQ(Int(x, X::FIND_ATTRIBUTE, e, "KIND"), -1);
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE_NAME, e, 1), "kind");
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE_NAME, e, 2), "");
  EXPECT_EQ(Int(x, X::SET_ATTRIBUTE, e, "id", "8"), 1);
  EXPECT_EQ(Int(x, X::SET_ATTRIBUTE, e, "extra", ""), 1);
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE, e, "id"), "8");
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE, e, "missing"), "");
  // A rename must leave the names unique and identifiers.
  EXPECT_EQ(Int(x, X::RENAME_ATTRIBUTE, e, "kind", "id"), 0);
  EXPECT_EQ(Int(x, X::RENAME_ATTRIBUTE, e, "kind", "-"), 0);
  EXPECT_EQ(Int(x, X::RENAME_ATTRIBUTE, e, "kind", "type"), 1);
  EXPECT_EQ(Int(x, X::REMOVE_ATTRIBUTE, e, "extra"), 1);
  EXPECT_EQ(Int(x, X::REMOVE_ATTRIBUTE, e, "extra"), 0);
  EXPECT_EQ(Text(x, X::GET_ATTRIBUTE_NAME, e, 1), "type");

  EXPECT_EQ(Int(x, X::SET_TEXT, e, "a <b> c"), 1);
  EXPECT_EQ(Text(x, X::GET_TEXT, e), "a  b  c");
  EXPECT_EQ(Int(x, X::SET_NAME, e, "f"), 1);
  EXPECT_EQ(Int(x, X::SET_NAME, e, "f g"), 0);
  EXPECT_EQ(Text(x, X::GET_NAME, e), "f");
  EXPECT_EQ(Text(x, X::TO_TEXT),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<xml>\r\n\t<f id=\"8\" type=\"k\">a  b  c</f>\r\n\t<bare/>\r\n</xml>\r\n");
}

TEST_F(PObjXmlTest, LoadAndSaveThroughFilesPathsResourcesAndTexts) {
  PObjXml* x = NewObject<PObjXml>();
  const int64_t item = Int(x, X::ADD_CHILD, 1, "item", "name", "a & \"b\"");
  Int(x, X::SET_TEXT, item, "fish & chips");
  const std::string saved = Text(x, X::TO_TEXT);

  const std::string path = PathOf("doc.xml");
  EXPECT_EQ(Int(x, X::SAVE_DISK_FILE, path), 1);
  EXPECT_EQ(ReadDisk(path), saved);
  EXPECT_EQ(Int(x, X::SAVE_DISK_FILE, PathOf("no/such/doc.xml")), 0);

  PObjXml* back = NewObject<PObjXml>();
  EXPECT_EQ(Int(back, X::LOAD_DISK_FILE, path), 1);
  EXPECT_EQ(Text(back, X::GET_ATTRIBUTE, 2, "name"), "a & \"b\"");
  EXPECT_EQ(Text(back, X::GET_TEXT, 2), "fish & chips");
  EXPECT_EQ(Int(back, X::LOAD_DISK_FILE, PathOf("missing.xml")), 0);
  EXPECT_EQ(Text(back, X::GET_TEXT, 2), "fish & chips");

  // Through Files, at their positions.
  PObjFile* out = MemoryFile("");
  EXPECT_EQ(Int(x, X::SAVE_FILE, out), 1);
  EXPECT_EQ(Content(out), saved);
  out->GetStream()->Rewind();
  EXPECT_EQ(Int(back, X::LOAD_FILE, out), 1);
  EXPECT_EQ(Text(back, X::TO_TEXT), saved);
  PObjFile* closed = NewFile();
  EXPECT_EQ(Int(x, X::SAVE_FILE, closed), kUnset);
  EXPECT_EQ(Int(x, X::LOAD_FILE, closed), kUnset);
  EXPECT_EQ(Int(x, X::GET_CHILD_COUNT, 1), 1);

  // From a text: a new document every time, its ids from 2 in document order.
  EXPECT_EQ(Int(back, X::LOAD_TEXT, "<list><a/><b><c>t</c></b></list>"), 1);
  EXPECT_EQ(Text(back, X::GET_ROOT_NAME), "list");
  EXPECT_EQ(Text(back, X::GET_NAME, 4), "c");
  EXPECT_EQ(Int(back, X::GET_PARENT, 4), 3);
  EXPECT_EQ(Int(back, X::ADD_CHILD, 1, "d"), 5);
  EXPECT_EQ(Int(back, X::LOAD_TEXT, "<list><a></b></list>"), 0);

  // Resources come from the text folder.
  UseResources({{"text\\doc.xml", "<res k=\"v\"/>"}, {"table\\other.xml", "<no/>"}});
  EXPECT_EQ(Int(back, X::LOAD_RESOURCE, "doc.xml"), 1);
  EXPECT_EQ(Text(back, X::GET_ATTRIBUTE, 1, "k"), "v");
  EXPECT_EQ(Int(back, X::LOAD_RESOURCE, "other.xml"), kUnset);
  EXPECT_EQ(Text(back, X::GET_ROOT_NAME), "res");
}

#ifndef _WIN32
// xmllint accepts the files the class saves, escapes and all.
TEST_F(PObjXmlTest, XmllintAcceptsSavedDocuments) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
  PObjXml* x = NewObject<PObjXml>();
  Do(x, X::CLEAR, "inventory");
  for (int i = 0; i < 3; i++) {
    const int64_t item = Int(x, X::ADD_CHILD, 1, "item", "name", "<A> & \"B\" 'c'");
    Int(x, X::ADD_ATTRIBUTE, item, "n", std::to_string(i));
    Int(x, X::SET_TEXT, Int(x, X::ADD_CHILD, item, "note"), "R&D <draft> \"1\"");
  }
  EXPECT_EQ(Int(x, X::REMOVE, 4), 1);  // the second item
  const std::string path = PathOf("inventory.xml");
  ASSERT_EQ(Int(x, X::SAVE_DISK_FILE, path), 1);
  EXPECT_EQ(std::system(("xmllint --noout '" + path + "'").c_str()), 0);
  // And reads what xmllint writes back as the same document.
  const std::string formatted = PathOf("formatted.xml");
  ASSERT_EQ(std::system(("xmllint --format '" + path + "' > '" + formatted + "'").c_str()), 0);
  PObjXml* back = NewObject<PObjXml>();
  ASSERT_EQ(Int(back, X::LOAD_DISK_FILE, formatted), 1);
  EXPECT_EQ(Text(back, X::TO_TEXT), Text(x, X::TO_TEXT));
  const int64_t first = Int(back, X::FIND_CHILD, 1, "item");
  EXPECT_EQ(Text(back, X::GET_ATTRIBUTE, first, "name"), "<A> & \"B\" 'c'");
  EXPECT_EQ(Text(back, X::GET_TEXT, Int(back, X::FIND_CHILD, first, "note")), "R&D  draft  \"1\"");
  EXPECT_EQ(Text(back, X::GET_ATTRIBUTE, Int(back, X::GET_NEXT, first), "n"), "2");
}
#endif

}  // namespace
