// Reading speed of the file layer's loaders: an XML tree and a string table with long texts,
// and entry reads out of a mapped package.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/files/file.h"
#include "engine/core/files/package_format.h"
#include "engine/core/files/stringtable.h"
#include "engine/core/files/xml.h"

namespace {

std::string LargeXml(int elements) {
    std::string xml = "<game>";
    for (int i = 0; i < elements; ++i)
        xml += "<level id=\"" + std::to_string(i) + "\" time=120><name>Level &amp; more " + std::to_string(i) +
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
