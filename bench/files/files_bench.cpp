// Reading speed of the file layer's loaders: an XML tree (beside expat building the same tree, when its
// headers are installed) and a string table with long texts, and entry reads out of a mapped package.
#include <benchmark/benchmark.h>
#ifdef ALEMBRIA_BENCH_EXPAT
#include <expat.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/core/files/package_format.h"
#include "engine/core/files/stringtable.h"
#include "engine/core/files/xml.h"

namespace {

// Well-formed, so that the reference parser reads the same text.
std::string LargeXml(int elements) {
    std::string xml = "<game>";
    for (int i = 0; i < elements; ++i)
        xml += "<level id=\"" + std::to_string(i) + "\" time=\"120\"><name>Level &amp; more " + std::to_string(i) +
               "</name><text>" + std::string(200, 'w') + " words and more words</text></level>";
    return xml + "</game>";
}

void ParseXml(benchmark::State& state) {
    std::string xml = LargeXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TXmlNode root;
        root.LoadText(xml.data(), xml.size());
        benchmark::DoNotOptimize(root.HasChildren());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(ParseXml)->Arg(100)->Arg(2000);

#ifdef ALEMBRIA_BENCH_EXPAT
// The reference: expat, a C parser, building a tree of the same kind (name, attributes, text, children).
struct ReferenceNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    std::vector<std::unique_ptr<ReferenceNode>> children;
};

struct ReferenceBuilder {
    ReferenceNode root;
    std::vector<ReferenceNode*> open{&root};

    static void Start(void* data, const XML_Char* name, const XML_Char** attributes) {
        auto* self = static_cast<ReferenceBuilder*>(data);
        auto child = std::make_unique<ReferenceNode>();
        child->name = name;
        for (const XML_Char** a = attributes; *a; a += 2) child->attributes.emplace_back(a[0], a[1]);
        self->open.push_back(child.get());
        self->open[self->open.size() - 2]->children.push_back(std::move(child));
    }
    static void End(void* data, const XML_Char*) { static_cast<ReferenceBuilder*>(data)->open.pop_back(); }
    static void Text(void* data, const XML_Char* text, int length) {
        static_cast<ReferenceBuilder*>(data)->open.back()->text.append(text, static_cast<size_t>(length));
    }
};

void ParseXmlExpatReference(benchmark::State& state) {
    std::string xml = LargeXml(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ReferenceBuilder builder;
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, &builder);
        XML_SetElementHandler(parser, ReferenceBuilder::Start, ReferenceBuilder::End);
        XML_SetCharacterDataHandler(parser, ReferenceBuilder::Text);
        if (XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) != XML_STATUS_OK)
            state.SkipWithError("the reference rejected the document");
        XML_ParserFree(parser);
        benchmark::DoNotOptimize(builder.root.children.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(ParseXmlExpatReference)->Arg(100)->Arg(2000);
#endif

void LookupLongStrings(benchmark::State& state) {
    std::string rows;
    for (int i = 0; i < 500; ++i)
        rows += "<Row><Cell><Data>L" + std::to_string(i) + "</Data></Cell><Cell><Data>" + std::string(4000, 't') +
                " %1% and %L0% with 100%% </Data></Cell></Row>";
    TStringTable table;
    table.LoadText(rows.data(), rows.size());
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(table.GetString(TString::Format("L%d", i++ % 500), "p"));
}
BENCHMARK(LookupLongStrings);

void ReadPackedEntries(benchmark::State& state) {
    char folder[] = "/tmp/alembria-bench-XXXXXX";
    std::filesystem::path root = mkdtemp(folder);
    std::vector<TPackageSource> sources;
    for (int i = 0; i < 200; ++i)
        sources.push_back({TString::Format("images/tile%d.png", i), std::vector<unsigned char>(64 * 1024, 7)});
    std::vector<unsigned char> bytes;
    BuildPackage(sources, bytes);
    std::filesystem::create_directories(root / "assets");
    std::ofstream(root / "assets/data.qvp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    SetStartupFolder(TString(root.c_str()));
    InitFileSystem();
    std::vector<char> buffer(64 * 1024);
    int i = 0;
    for (auto _ : state) {
        TFile file;
        file.Open(TString::Format("Images/Tile%d.PNG", i++ % 200), kFileReadBinary);
        benchmark::DoNotOptimize(file.Read(buffer.data(), static_cast<int32_t>(buffer.size())));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
    ShutdownFileSystem();
    std::filesystem::remove_all(root);
}
BENCHMARK(ReadPackedEntries);

}  // namespace

BENCHMARK_MAIN();
