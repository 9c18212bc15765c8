// Time to read a 20 MB XML document from its file into an SXml tree (and
// free the tree), next to `xmllint --noout` reading the same file, which
// builds and frees libxml2's tree the same way; `xmllint --stream`, which
// builds no tree, is shown beside them. Prints figures only.
//
// The document is written by SXml itself: a graph of boxes with attributes,
// plug children and notes whose texts carry entities, in the writer's
// layout (TAB indentation, CR LF lines).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/SFileMem.h"
#include "files/SXml.h"

namespace {

const int kTargetSize = 20 * 1000 * 1000;
const int kRounds = 3;

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

bool MakeDocument(const char* path) {
  SXml xml("graph", "signature", "tavrin");
  SXmlItem* root = xml.GetRoot();
  uint32_t x = 2463534242u;
  SFileMem probe;
  for (int box = 0;; box++) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    std::string id = std::to_string(box);
    std::string name = "Box number " + id;
    std::string px = std::to_string(x % 2000), py = std::to_string((x >> 11) % 2000);
    SXmlItem* item = root->AddChildWithAttributes("box", 5, "id", id.c_str(), "name", name.c_str(),
                                                  "x", px.c_str(), "y", py.c_str(), "color", "#FFAA00");
    for (int plug = 0; plug < int(x % 4); plug++) {
      std::string index = std::to_string(plug);
      item->AddChildWithAttributes("plug", 2, "side", plug % 2 ? "right" : "left", "index", index.c_str());
    }
    SXmlItem* note = item->AddChild("note");
    note->SetText(x % 3 ? "Sums & totals of the quarter, rounded" : "A plain note");
    // Check the size now and then; the tree's text grows with every box.
    if (box % 20000 == 19999) {
      probe.Close();
      xml.Save(&probe);
      if (probe.GetSize() >= kTargetSize) break;
    }
  }
  return probe.SaveFile(path);
}

}  // namespace

int main() {
  std::string path = "/tmp/tavrin-xml-bench.xml";
  if (!MakeDocument(path.c_str())) {
    std::printf("could not write %s\n", path.c_str());
    return 1;
  }

  double best = 1e9;
  int elements = 0;
  long size = 0;
  for (int round = 0; round < kRounds; round++) {
    auto start = std::chrono::steady_clock::now();
    {
      SFileMem file;
      if (!file.LoadFile(path.c_str())) return 1;
      size = file.GetSize();
      SXml xml;
      if (!xml.Load(&file, false)) {
        std::printf("the document did not load\n");
        return 1;
      }
      elements = 0;
      for (int i = 0; i < xml.GetRoot()->GetChildCount(); i++)
        elements += 1 + xml.GetRoot()->GetChild(i)->GetChildCount();
    }
    double t = Seconds(std::chrono::steady_clock::now() - start);
    if (t < best) best = t;
  }

  bool haveLint = std::system("xmllint --version >/dev/null 2>&1") == 0;
  // Best time of an xmllint run over the document; -1 when it refuses it.
  auto timeLint = [&](const char* options) {
    double best = 1e9;
    for (int round = 0; round < kRounds; round++) {
      auto start = std::chrono::steady_clock::now();
      if (std::system((std::string("xmllint ") + options + " " + path).c_str()) != 0) return -1.0;
      double t = Seconds(std::chrono::steady_clock::now() - start);
      if (t < best) best = t;
    }
    return best;
  };
  double lint = haveLint ? timeLint("--noout") : 0;
  double stream = haveLint ? timeLint("--noout --stream") : 0;
  if (lint < 0 || stream < 0) {
    std::printf("xmllint refused the document\n");
    return 1;
  }

  double mb = size / 1e6;
  std::printf("document        %.1f MB, %d elements below the root\n", mb, elements);
  std::printf("SXml::Load      %.3f s  %6.1f MB/s  (file read, parse and free, best of %d)\n", best,
              mb / best, kRounds);
  if (haveLint) {
    std::printf("xmllint --noout %.3f s  %6.1f MB/s  (whole process, best of %d)\n", lint, mb / lint,
                kRounds);
    std::printf("speed ratio     %.2f (SXml / xmllint --noout; the target is 0.5 or more)\n",
                lint / best);
    std::printf("xmllint --stream %.3f s %6.1f MB/s  (no tree at all, for comparison)\n", stream,
                mb / stream);
  } else {
    std::printf("xmllint         not installed\n");
  }
  std::remove(path.c_str());
  return 0;
}
