#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "files/SFileMem.h"
#include "files/SFilePath.h"
#include "files/SXml.h"

namespace {

// ---- A tree as one comparable text -------------------------------------------------------

// name#id[attribute=value ...]{text}(children), depth first.
std::string Dump(const SXmlItem* item, bool ids = false) {
  std::string out = item->GetName().GetText();
  if (ids) out += "#" + std::to_string(item->GetId());
  out += "[";
  for (int i = 0; i < item->GetAttributeCount(); i++) {
    if (i) out += " ";
    out += item->GetAttributeName(i).GetText();
    out += "=";
    out += item->GetAttributeValue(i).GetText();
  }
  out += "]";
  if (item->GetText().GetLength()) out += std::string("{") + item->GetText().GetText() + "}";
  if (item->GetChildCount()) {
    out += "(";
    for (int i = 0; i < item->GetChildCount(); i++) out += Dump(item->GetChild(i), ids);
    out += ")";
  }
  return out;
}

std::string Text(SXml& xml) { return xml.ToText().GetText(); }

std::string DataPath(const char* name) { return std::string(TAVRIN_TEST_DATA) + "/" + name; }

// ---- Saving ---------------------------------------------------------------------------------

TEST(SXmlTest, SavesDeclarationTabsAndCrLf) {
  SXml xml("graph", "signature", "tavrin");
  SXmlItem* box = xml.GetRoot()->AddChildWithAttributes("box", 2, "x", "10", "y", "20");
  box->AddChild("plug");
  xml.GetRoot()->AddChild("note")->SetText("hello");
  EXPECT_EQ(Text(xml),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<graph signature=\"tavrin\">\r\n"
            "\t<box x=\"10\" y=\"20\">\r\n"
            "\t\t<plug/>\r\n"
            "\t</box>\r\n"
            "\t<note>hello</note>\r\n"
            "</graph>\r\n");
}

// A stream that takes nothing (a file stream with no file) is a failed save.
TEST(SXmlTest, SaveReportsAStreamThatRefusesBytes) {
  SXml xml("doc");
  xml.GetRoot()->AddChild("a");
  SFilePath closed;
  EXPECT_FALSE(xml.Save(&closed));
  EXPECT_FALSE(xml.Save(nullptr));
}

TEST(SXmlTest, SavedDocumentLoadsBackIntoTheSameTree) {
  SXml xml("doc");
  SXmlItem* a = xml.GetRoot()->AddChild("a");
  a->AddAttribute("z", "last first");
  a->AddAttribute("b", "");
  a->AddChild("leaf")->SetText("text with  blanks ");
  xml.GetRoot()->AddChild("A");
  std::string saved = Text(xml);

  SXml back;
  ASSERT_TRUE(back.LoadText(saved.c_str()));
  EXPECT_EQ(Dump(back.GetRoot()), Dump(xml.GetRoot()));
  EXPECT_EQ(Text(back), saved);
  // Ids are handed out again in document order.
  EXPECT_EQ(Dump(back.GetRoot(), true),
            "doc#1[](a#2[z=last first b=](leaf#3[]{text with  blanks })A#4[])");
}

// Values holding what markup would misread are escaped on the way out and
// decoded on the way in, so the document stays loadable and exact.
TEST(SXmlTest, QuotesAndMarkupCharactersSurviveTheRoundTrip) {
  SXml xml("doc");
  xml.GetRoot()->AddAttribute("title", "say \"hi\" & <bye>");
  xml.GetRoot()->AddAttribute("lines", "a\tb\r\nc");
  SXmlItem* note = xml.GetRoot()->AddChild("note");
  note->SetText("fish & chips");
  std::string saved = Text(xml);
  EXPECT_NE(saved.find("title=\"say &quot;hi&quot; &amp; &lt;bye&gt;\""), std::string::npos);
  EXPECT_NE(saved.find("<note>fish &amp; chips</note>"), std::string::npos);

  SXml back;
  ASSERT_TRUE(back.LoadText(saved.c_str()));
  EXPECT_EQ(back.GetRoot()->GetAttribute("title"), "say \"hi\" & <bye>");
  EXPECT_EQ(back.GetRoot()->GetAttribute("lines"), "a\tb\r\nc");
  EXPECT_NE(saved.find("lines=\"a&#9;b&#13;&#10;c\""), std::string::npos);
  EXPECT_EQ(back.GetRoot()->GetChild(0)->GetText(), "fish & chips");
}

TEST(SXmlTest, TextBesideChildrenIsSavedAndReadBack) {
  SXml xml("doc");
  SXmlItem* mixed = xml.GetRoot()->AddChild("mixed");
  mixed->SetText("kept");
  mixed->AddChild("child");
  std::string saved = Text(xml);
  EXPECT_NE(saved.find("\t\tkept</mixed>\r\n"), std::string::npos);

  SXml back;
  ASSERT_TRUE(back.LoadText(saved.c_str()));
  EXPECT_EQ(Dump(back.GetRoot()), "doc[](mixed[]{kept}(child[]))");
  EXPECT_EQ(Text(back), saved);

  // Pieces on both sides of a child are kept one after the other.
  ASSERT_TRUE(back.LoadText("<r>one <c/>two</r>"));
  EXPECT_EQ(Dump(back.GetRoot()), "r[]{one two}(c[])");
}

// ---- Loading -----------------------------------------------------------------------------------

TEST(SXmlTest, LoadAcceptsTheGrammarsForms) {
  struct Case {
    const char* text;
    const char* tree;
  } cases[] = {
      {"<r/>", "r[]"},
      {"  \r\n<?xml version=\"1.0\"?>\r\n<!-- note -->\r\n<r a=\"1\"/>", "r[a=1]"},
      // Blanks inside tags are compacted before the tag is split.
      {"<r   a=\"1\"   b=\"2\"  ></r>", "r[a=1 b=2]"},
      {"<r\ta=\"1\"/>", "r[a=1]"},
      {"<r a=\"1\" />", "r[a=1]"},
      {"<r a =\"x y\"/>", "r[a=x y]"},
      {"<r a=\"a>b\"><c/></r >", "r[a=a>b](c[])"},
      // The root's name is taken as written.
      {"<my-root/>", "my-root[]"},
      // A document cut short keeps what was read.
      {"<r><a>x</a><b", "r[](a[]{x})"},
      {"<r><a>tail", "r[](a[]{tail})"},
      // Whatever follows the root's end is ignored.
      {"<r/><junk", "r[]"},
      {"<r></r>trailing", "r[]"},
      {"<r a=\"&#65;&#x42;&apos;&bogus;\"/>", "r[a=AB'&bogus;]"},
  };
  for (const Case& c : cases) {
    SXml xml;
    EXPECT_TRUE(xml.LoadText(c.text)) << c.text;
    EXPECT_EQ(Dump(xml.GetRoot()), c.tree) << c.text;
  }
}

TEST(SXmlTest, LoadRefusesMalformedDocuments) {
  const char* cases[] = {
      "<r xmlns:x=\"u\"/>",          // attribute names are identifiers
      "<r><a-b/></r>",               // so are child names
      "<r a='1'/>",                  // values in double quotes only
      "<r a=1/>",
      "<r a=\"1\" a=\"2\"/>",        // no attribute twice
      "<r a=\"1\" b/>",              // names and values in pairs
      "<r a=\"1\"b=\"2\"/>",
      "<r><a></A></r>",              // end tags compare exactly
      "text<r/>",                    // no text before the root
      "</r>",
      "<r></r x>",
      "<>",
      "<r><a></r>",
      // A root name that would not read back once written.
      "<r- a=\"1\"/>",
      "<\"r\"/>",
  };
  for (const char* text : cases) {
    SXml xml;
    EXPECT_FALSE(xml.LoadText(text)) << text;
  }
}

TEST(SXmlTest, ManyAttributesAndARepeatedOne) {
  std::string tag = "<r";
  for (int i = 0; i < 5000; i++) tag += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
  SXml xml;
  ASSERT_TRUE(xml.LoadText((tag + "/>").c_str()));
  EXPECT_EQ(xml.GetRoot()->GetAttributeCount(), 5000);
  EXPECT_EQ(xml.GetRoot()->GetAttribute("a4999"), "4999");
  EXPECT_FALSE(xml.LoadText((tag + " a17=\"again\"/>").c_str()));
  EXPECT_FALSE(xml.LoadText("<r a=\"1\" b=\"2\" a=\"3\"/>"));
}

TEST(SXmlTest, FailedLoadKeepsThePartialTree) {
  SXml xml;
  EXPECT_FALSE(xml.LoadText("<r><a/><b c='1'/></r>"));
  EXPECT_EQ(Dump(xml.GetRoot()), "r[](a[]b[])");
}

TEST(SXmlTest, LimitFlagEmptiesLongTexts) {
  std::string text = "<r><a>" + std::string(513, 'x') + "</a><b>" + std::string(512, 'y') + "</b></r>";
  SFileMem memory;
  memory.Write(text.data(), int(text.size()));
  memory.Rewind();
  SXml xml;
  ASSERT_TRUE(xml.Load(&memory, true));
  EXPECT_EQ(xml.GetRoot()->GetChild(0)->GetText().GetLength(), 0);
  EXPECT_EQ(xml.GetRoot()->GetChild(1)->GetText().GetLength(), 512);
  EXPECT_FALSE(xml.Load(nullptr, false));
}

TEST(SXmlTest, LoadReadsFromTheStreamPosition) {
  const char text[] = "HEADER<r a=\"1\"/>";
  SFileMem memory;
  memory.Write(text, int(sizeof text - 1));
  memory.Seek(6);
  SXml xml;
  ASSERT_TRUE(xml.Load(&memory, false));
  EXPECT_EQ(Dump(xml.GetRoot()), "r[a=1]");
}

// A document nested far deeper than any call stack allows is read, searched
// and deleted all the same; writing goes without recursion too.
TEST(SXmlTest, DeepNestingNeedsNoRecursion) {
  const int depth = 200000;
  std::string text;
  for (int i = 0; i < depth; i++) text += "<a>";
  text += "x";
  for (int i = 0; i < depth; i++) text += "</a>";
  auto xml = std::make_unique<SXml>();
  ASSERT_TRUE(xml->LoadText(text.c_str()));
  EXPECT_EQ(xml->FindItem(depth)->GetText(), "x");
  xml.reset();

  // Indentation grows with depth, so the written chain stays shorter.
  SXml chain;
  SXmlItem* item = chain.GetRoot();
  for (int i = 0; i < 2000; i++) item = item->AddChild("a");
  item->SetText("x");
  SXml back;
  ASSERT_TRUE(back.LoadText(chain.ToText().GetText()));
  EXPECT_EQ(back.FindItem(2001)->GetText(), "x");
}

// ---- Elements and attributes --------------------------------------------------------------------

TEST(SXmlTest, NamesMustBeIdentifiers) {
  SXml xml("1bad");
  EXPECT_EQ(xml.GetRoot()->GetName(), "xml");
  SXmlItem* root = xml.GetRoot();
  EXPECT_EQ(root->AddChild("a-b"), nullptr);
  EXPECT_EQ(root->AddChild("a_"), nullptr);
  EXPECT_EQ(root->AddAttribute("x:y", "1"), -1);
  EXPECT_FALSE(root->SetName("two words"));
  EXPECT_TRUE(root->SetName("_ok"));
  EXPECT_EQ(root->AddAttribute("a", "1"), 0);
  EXPECT_EQ(root->AddAttribute("a", "2"), -1);
  EXPECT_TRUE(root->SetAttribute("a", "3"));
  EXPECT_TRUE(root->SetAttribute("b", "4"));
  EXPECT_EQ(Dump(root), "_ok[a=3 b=4]");
  // Skipped pairs leave the others.
  SXmlItem* child = root->AddChildWithAttributes("c", 3, "1x", "no", "k", "v", "k", "again");
  EXPECT_EQ(Dump(child), "c[k=v]");
}

TEST(SXmlTest, SetTextBlanksAngleBrackets) {
  SXml xml;
  xml.GetRoot()->SetText("a <b> c");
  EXPECT_EQ(xml.GetRoot()->GetText(), "a  b  c");
}

TEST(SXmlTest, TypedAttributeReaders) {
  SXml xml;
  SXmlItem* root = xml.GetRoot();
  root->AddAttribute("n", "42abc");
  root->AddAttribute("f", "0");
  int n = -1;
  bool flag = true;
  SString text;
  EXPECT_EQ(root->GetAttributeInt("n", n), 42);
  EXPECT_EQ(n, 42);
  EXPECT_FALSE(root->GetAttributeBool("f", flag));
  EXPECT_TRUE(root->GetAttributeBool("n", flag));
  EXPECT_EQ(root->GetAttributeInt("missing", n), 0);
  EXPECT_EQ(root->GetAttributeString("missing", text), "");
}

// Two attributes of one name would make the saved document unloadable, so a
// rename onto a name in use is refused.
TEST(SXmlTest, RenameAttributeRefusesANameInUse) {
  SXml xml;
  int id = 1;
  xml.AddAttributeById(id, "a", "1");
  xml.AddAttributeById(id, "b", "2");
  EXPECT_FALSE(xml.RenameAttributeById(id, "a", "b"));
  EXPECT_FALSE(xml.RenameAttributeById(id, "zz", "c"));
  EXPECT_FALSE(xml.RenameAttributeById(id, "a", "c-d"));
  EXPECT_TRUE(xml.RenameAttributeById(id, "a", "a"));
  EXPECT_TRUE(xml.RenameAttributeById(id, "a", "c"));
  SXml back;
  EXPECT_TRUE(back.LoadText(xml.ToText().GetText()));
  EXPECT_EQ(Dump(back.GetRoot()), "xml[c=1 b=2]");
}

TEST(SXmlTest, OperationsById) {
  SXml xml;
  ASSERT_TRUE(xml.LoadText("<r><a/><b/><a k=\"v\"/><A/></r>"));
  EXPECT_EQ(xml.GetParentId(1), 0);
  EXPECT_EQ(xml.GetParentId(0), 0);
  EXPECT_EQ(xml.GetParentId(2), 1);
  EXPECT_EQ(xml.GetParentId(99), 0);
  EXPECT_EQ(xml.FindChildId(1, "B"), 3);
  EXPECT_EQ(xml.FindChildId(1, ""), 0);
  // Siblings of the same name, ignoring case.
  EXPECT_EQ(xml.GetNextId(2), 4);
  EXPECT_EQ(xml.GetNextId(4), 5);
  EXPECT_EQ(xml.GetPreviousId(5), 4);
  EXPECT_EQ(xml.GetPreviousId(2), 0);
  EXPECT_EQ(xml.GetNextId(1), 0);
  EXPECT_EQ(xml.GetAttributeById(4, "k"), "v");
  EXPECT_EQ(xml.GetAttributeNameById(4, 0), "k");
  EXPECT_EQ(xml.GetAttributeNameById(4, 1), "");
  EXPECT_EQ(xml.FindAttributeById(4, "k"), 0);
  EXPECT_EQ(xml.GetAttributeCount(4), 1);
  EXPECT_TRUE(xml.RemoveAttributeById(4, "k"));
  EXPECT_FALSE(xml.RemoveAttributeById(4, "k"));

  int32_t added = xml.AddChildWithAttributesById(3, "n", 1, "p", "q");
  EXPECT_EQ(added, 6);
  EXPECT_EQ(xml.AddChildById(3, "bad name"), 0);
  EXPECT_EQ(xml.AddChildById(42, "x"), 0);
  EXPECT_TRUE(xml.SetTextById(6, "t"));
  EXPECT_EQ(xml.GetTextById(6), "t");
  EXPECT_TRUE(xml.SetNameById(6, "m"));
  EXPECT_EQ(xml.GetNameById(6), "m");
  EXPECT_EQ(xml.GetChildCount(1), 4);
  EXPECT_FALSE(xml.RemoveById(1));
  EXPECT_TRUE(xml.RemoveById(3));
  EXPECT_EQ(xml.FindItem(6), nullptr);
  EXPECT_TRUE(xml.RemoveChildrenById(1));
  EXPECT_EQ(xml.GetChildCount(1), 0);
  EXPECT_EQ(xml.AddChildById(1, "fresh"), 7);
  xml.Clear("again");
  EXPECT_EQ(xml.AddChildById(1, "fresh"), 2);
  EXPECT_EQ(Dump(xml.GetRoot()), "again[](fresh[])");
}

// ---- Other tools' documents ----------------------------------------------------------------

// Made by `xmllint --format` from a document with a comment holding ">",
// a document type with an internal subset, entity and character references,
// a processing instruction, a CDATA section and mixed content.
TEST(SXmlTest, ReadsWhatXmllintFormats) {
  SFileMem file;
  ASSERT_TRUE(file.LoadFile(DataPath("xmllint-formatted.xml").c_str()));
  SXml xml;
  ASSERT_TRUE(xml.Load(&file, false));
  EXPECT_EQ(Dump(xml.GetRoot()),
            "graph[signature=tavrin version=2]("
            "box[id=1 name=A & B title=say \"hi\" path=a<b>c](plug[side=left]plug[side=right])"
            "note[]{Fish & chips <3 \xC3\xA9}"
            "box[id=2]{raw <text> & stuff}"
            "mixed[]{beforeafter}(b[])"
            "empty[])");
}

#ifndef _WIN32
// xmllint, where installed, must accept what the writer produces.
TEST(SXmlTest, XmllintAcceptsWrittenDocuments) {
  if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
  SXml xml("graph", "signature", "a \"quoted\" & <odd>\tvalue");
  SXmlItem* box = xml.GetRoot()->AddChild("box");
  box->SetText("fish & chips");
  box->AddChild("plug")->AddAttribute("side", "left");
  xml.GetRoot()->AddChild("note")->SetText("plain");
  std::string path = testing::TempDir() + "sxml-written.xml";
  SFileMem out;
  ASSERT_TRUE(xml.Save(&out));
  ASSERT_TRUE(out.SaveFile(path.c_str()));
  EXPECT_EQ(std::system(("xmllint --noout " + path).c_str()), 0);
  std::remove(path.c_str());
}
#endif

}  // namespace
