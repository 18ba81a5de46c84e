#include "host/ate/TextEdit.h"

#include "host/core/TextEncoding.h"
#include "host/document/PathStyle.h"

#include <algorithm>

namespace host::ate {
namespace {

/** A run in UTF-16, the text engine's unit. */
struct UnitRun {
    std::u16string text;
    CharFeatures features;
};

std::vector<UnitRun> unitRuns(const TextData& text) {
    std::vector<UnitRun> out;
    out.reserve(text.runs.size());
    for (const TextRun& run : text.runs)
        out.push_back({utf8ToUtf16(run.text).value_or(std::u16string()), run.features});
    return out;
}

void storeRuns(TextData& text, const std::vector<UnitRun>& runs) {
    text.runs.clear();
    for (const UnitRun& run : runs)
        text.runs.push_back({utf16ToUtf8(run.text).value_or(std::string()), run.features});
    text.normalize();
}

/** Makes a run boundary at pos (never inside a surrogate pair); returns the index of the
 *  run that starts there (runs.size() at the end). */
std::size_t splitAt(std::vector<UnitRun>& runs, std::int32_t pos) {
    std::int32_t at = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto length = static_cast<std::int32_t>(runs[i].text.size());
        if (pos <= at) return i;
        if (pos < at + length) {
            auto cut = static_cast<std::size_t>(pos - at);
            if (cut > 0 && runs[i].text[cut - 1] >= 0xD800 && runs[i].text[cut - 1] <= 0xDBFF)
                ++cut;
            UnitRun tail{runs[i].text.substr(cut), runs[i].features};
            runs[i].text.resize(cut);
            runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
            return i + 1;
        }
        at += length;
    }
    return runs.size();
}

/** The features of the character before pos (the first one at 0; defaults when empty). */
CharFeatures featuresAt(const TextData& text, std::int32_t pos) {
    if (text.runs.empty()) return CharFeatures{};
    std::int32_t at = 0;
    for (const TextRun& run : text.runs) {
        at += static_cast<std::int32_t>(utf8ToUtf16(run.text).value_or(std::u16string()).size());
        if (pos <= at) return run.features;
    }
    return text.runs.back().features;
}

template <class T> void agree(std::optional<T>& field, const T& value, bool first) {
    if (first)
        field = value;
    else if (field && !(*field == value))
        field.reset();
}

} // namespace

bool Paint::operator==(const Paint& other) const {
    return paint == other.paint && sameColour(color, other.color);
}

CharFeatureSet featureSetOf(const CharFeatures& f) {
    return {f.fontSize,   f.horizontalScale,          f.verticalScale,
            f.rotation,   Paint{f.fillPaint, f.fill}, Paint{f.strokePaint, f.stroke},
            f.strokeWidth};
}

void applyFeatureSet(const CharFeatureSet& set, CharFeatures& f) {
    if (set.fontSize) f.fontSize = *set.fontSize;
    if (set.horizontalScale) f.horizontalScale = *set.horizontalScale;
    if (set.verticalScale) f.verticalScale = *set.verticalScale;
    if (set.rotation) f.rotation = *set.rotation;
    if (set.fill) {
        f.fillPaint = set.fill->paint;
        f.fill = set.fill->color;
    }
    if (set.stroke) {
        f.strokePaint = set.stroke->paint;
        f.stroke = set.stroke->color;
    }
    if (set.strokeWidth) f.strokeWidth = *set.strokeWidth;
}

std::int32_t textLength(const TextData& text) {
    std::int32_t n = 0;
    for (const TextRun& run : text.runs)
        n += static_cast<std::int32_t>(utf8ToUtf16(run.text).value_or(std::u16string()).size());
    return n;
}

std::u16string textContents(const TextData& text, std::int32_t start, std::int32_t end) {
    std::u16string all;
    for (const UnitRun& run : unitRuns(text))
        all += run.text;
    start = std::clamp<std::int32_t>(start, 0, static_cast<std::int32_t>(all.size()));
    end = std::clamp<std::int32_t>(end, start, static_cast<std::int32_t>(all.size()));
    return all.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

std::optional<std::int32_t> insertText(TextData& text, std::int32_t at, std::u16string_view units) {
    if (!utf16ToUtf8(units)) return std::nullopt;
    const std::int32_t before = textLength(text);
    const CharFeatures features = featuresAt(text, at);
    std::vector<UnitRun> runs = unitRuns(text);
    const std::size_t index = splitAt(runs, at);
    runs.insert(runs.begin() + static_cast<std::ptrdiff_t>(index),
                UnitRun{std::u16string(units), features});
    storeRuns(text, runs);
    return textLength(text) - before;
}

CharFeatureSet uniqueFeatures(const TextData& text, std::int32_t start, std::int32_t end) {
    if (end <= start) return featureSetOf(featuresAt(text, start));
    CharFeatureSet set;
    bool first = true;
    std::int32_t at = 0;
    for (const UnitRun& run : unitRuns(text)) {
        const auto length = static_cast<std::int32_t>(run.text.size());
        if (at < end && at + length > start) {
            const CharFeatureSet mine = featureSetOf(run.features);
            agree(set.fontSize, *mine.fontSize, first);
            agree(set.horizontalScale, *mine.horizontalScale, first);
            agree(set.verticalScale, *mine.verticalScale, first);
            agree(set.rotation, *mine.rotation, first);
            agree(set.fill, *mine.fill, first);
            agree(set.stroke, *mine.stroke, first);
            agree(set.strokeWidth, *mine.strokeWidth, first);
            first = false;
        }
        at += length;
    }
    return first ? featureSetOf(featuresAt(text, start)) : set;
}

void applyFeatures(TextData& text, std::int32_t start, std::int32_t end,
                   const CharFeatureSet& set) {
    if (end <= start) return;
    std::vector<UnitRun> runs = unitRuns(text);
    const std::size_t first = splitAt(runs, start);
    const std::size_t last = splitAt(runs, end);
    for (std::size_t i = first; i < last; ++i)
        applyFeatureSet(set, runs[i].features);
    storeRuns(text, runs);
}

std::vector<std::pair<std::int32_t, std::int32_t>> runsOf(const TextData& text, std::int32_t start,
                                                          std::int32_t end) {
    std::vector<std::pair<std::int32_t, std::int32_t>> out;
    std::int32_t at = 0;
    for (const UnitRun& run : unitRuns(text)) {
        const std::int32_t runEnd = at + static_cast<std::int32_t>(run.text.size());
        const std::int32_t from = std::max(at, start);
        const std::int32_t to = std::min(runEnd, end);
        if (from < to) out.emplace_back(from, to);
        at = runEnd;
    }
    return out;
}

} // namespace host::ate
