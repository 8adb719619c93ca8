#include <benchmark/benchmark.h>

#include <QByteArray>
#include <string>

#include "platform/richtextbox.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace {

// About 1 MB of what a pupil keeps: paragraphs of a history or a statement, with bold headings,
// colours, sizes, raised exponents and accented text.
std::string megabyteDocument() {
    rtf::Document document;
    const int times = document.addFont("Times New Roman");
    for (int i = 0; document.paragraphs.size() < 3400; ++i) {
        rtf::Paragraph paragraph;
        paragraph.leftIndentTwips = (i % 3) * 225;
        paragraph.alignment = i % 10 == 0 ? rtf::Alignment::Centre : rtf::Alignment::Left;
        rtf::CharFormat heading;
        heading.bold = true;
        heading.pointSize = 8;
        heading.colour = {192, 0, static_cast<int>(i % 200)};
        rtf::CharFormat body;
        body.pointSize = 10;
        body.font = i % 4 == 0 ? times : 0;
        rtf::CharFormat exponent = body;
        exponent.offsetTwips = 50;
        exponent.pointSize = 8;
        paragraph.runs = {{"Courbe n° " + std::to_string(i % 10 + 1) + " : ", heading},
                          {"20,0 mL d'acide éthanoïque à 0,01 mol · L", body},
                          {"-1", exponent},
                          {" titré par la soude ; pH à l'équivalence : 8,72 — « zone de virage ».", body}};
        paragraph.markFormat = body;
        document.paragraphs.push_back(paragraph);
    }
    return rtf::write(document);
}

void BM_ReadMegabyteRtf(benchmark::State& state) {
    const std::string bytes = megabyteDocument();
    for (auto _ : state) {
        auto document = rtf::read(bytes);
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadMegabyteRtf)->Unit(benchmark::kMillisecond);

// What the pupil waits for: the statement read, handed to the shown box and its first page drawn.
void BM_LoadMegabyteStatementIntoTheBox(benchmark::State& state) {
    const QByteArray bytes = QByteArray::fromStdString(megabyteDocument());
    platform::RichTextBox box;
    box.resize(361, 169);  // the main window's text area
    box.show();
    for (auto _ : state) {
        if (!box.setRtf(bytes)) state.SkipWithError("not read");
        benchmark::DoNotOptimize(box.viewport()->grab());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["paragraphs"] = box.document()->blockCount();
}
BENCHMARK(BM_LoadMegabyteStatementIntoTheBox)->Unit(benchmark::kMillisecond);

// Shapes that once took the box seconds to minutes, each run going into the shown document: the
// time per kilobyte stays the same as they grow (range: runs of alternating bold, or fonts).
std::string alternatingBold(std::int64_t pieces) {
    std::string body;
    for (std::int64_t i = 0; i < pieces; ++i) body += "\\b a\\b0 a";
    return body;
}

std::string everyFontOnce(std::int64_t count) {
    std::string table = "{\\fonttbl";
    std::string text;
    for (std::int64_t i = 0; i < count; ++i) {
        table += "{\\f" + std::to_string(i) + " Police" + std::to_string(i) + ";}";
        text += "\\f" + std::to_string(i) + " a";
    }
    return table + "}" + text;
}

void showInTheBox(benchmark::State& state, const std::string& body) {
    const QByteArray bytes = QByteArray::fromStdString("{\\rtf1 " + body + "}");
    platform::RichTextBox box;
    box.resize(361, 169);
    box.show();
    for (auto _ : state) {
        if (!box.setRtf(bytes)) state.SkipWithError("not read");
        benchmark::DoNotOptimize(box.viewport()->grab());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ShowAlternatingBold(benchmark::State& state) {
    showInTheBox(state, alternatingBold(state.range(0)));
}
BENCHMARK(BM_ShowAlternatingBold)->Arg(5000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ShowEveryFontOnce(benchmark::State& state) {
    showInTheBox(state, everyFontOnce(state.range(0)));
}
BENCHMARK(BM_ShowEveryFontOnce)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
