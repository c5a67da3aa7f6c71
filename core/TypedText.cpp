#include "core/TypedText.h"

#include <array>

#include "core/InputRecords.h"
#include "core/ModifierLift.h"

namespace vela {

namespace {

constexpr std::uint16_t kEnterKey = 0x0D;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kLastCodePoint = 0x10FFFF;

constexpr bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// One character of the text: a key to tap, or up to two UTF-16 units to type.
struct Character {
    std::uint16_t key = 0;
    std::array<std::uint16_t, 2> units{};
    std::size_t unitCount = 0;
};

// Walks the text a character at a time. wchar_t holds UTF-16 units on
// Windows and whole code points elsewhere; either form, or a mix, is read.
class CharacterReader {
public:
    explicit CharacterReader(std::wstring_view text) : text_(text) {}

    // The next character that types something, or false at the end.
    bool next(Character& out) {
        while (at_ < text_.size()) {
            const auto c = static_cast<char32_t>(text_[at_++]);
            const char32_t following = at_ < text_.size() ? static_cast<char32_t>(text_[at_]) : 0;
            out = {};
            if (c == U'\r' || c == U'\n') {
                if (c == U'\r' && following == U'\n') ++at_;
                out.key = kEnterKey;
                return true;
            }
            if (c == U'\t') {
                out.key = vk::Tab;
                return true;
            }
            if (c < 0x20 || c == 0x7F || c > kLastCodePoint) continue;
            if (isHighSurrogate(c) && isLowSurrogate(following)) {
                ++at_;
                out.units[0] = static_cast<std::uint16_t>(c);
                out.units[1] = static_cast<std::uint16_t>(following);
                out.unitCount = 2;
                return true;
            }
            if (isHighSurrogate(c) || isLowSurrogate(c)) continue;
            if (c >= kFirstSupplementary) {
                const char32_t offset = c - kFirstSupplementary;
                out.units[0] = static_cast<std::uint16_t>(0xD800 + (offset >> 10));
                out.units[1] = static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF));
                out.unitCount = 2;
                return true;
            }
            out.units[0] = static_cast<std::uint16_t>(c);
            out.unitCount = 1;
            return true;
        }
        return false;
    }

private:
    std::wstring_view text_;
    std::size_t at_ = 0;
};

InputRecord unitRecord(std::uint16_t unit, bool up) {
    InputRecord r;
    r.type = InputRecord::Keyboard;
    r.scanCode = unit;
    r.flags = kUnicodeKeyFlag | (up ? kKeyUpFlag : 0);
    return r;
}

void appendCharacter(std::vector<InputRecord>& records, const Character& c, InputStatePort& input) {
    if (c.key != 0) {
        const std::uint16_t scan = scanCodeFor(input, c.key);
        records.push_back(keyRecord(c.key, scan, false));
        records.push_back(keyRecord(c.key, scan, true));
        return;
    }
    for (std::size_t i = 0; i < c.unitCount; ++i) {
        records.push_back(unitRecord(c.units[i], false));
        records.push_back(unitRecord(c.units[i], true));
    }
}

}  // namespace

std::wstring_view clipTypedText(std::wstring_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        const bool pair = isHighSurrogate(c) && i + 1 < text.size() &&
                          isLowSurrogate(static_cast<char32_t>(text[i + 1]));
        const std::size_t width = pair || (c >= kFirstSupplementary && c <= kLastCodePoint) ? 2 : 1;
        if (units + width > kTypedTextLimit) return text.substr(0, i);
        units += width;
        if (pair) ++i;
    }
    return text;
}

std::vector<InputRecord> typedTextRecords(std::wstring_view text, InputPort& input) {
    std::vector<InputRecord> records;
    CharacterReader reader(text);
    for (Character c; reader.next(c);) appendCharacter(records, c, input);
    return records;
}

void typeText(std::wstring_view text, InputSendPort& out, InputPort& platform,
              const std::atomic<bool>* stop) {
    CharacterReader reader(clipTypedText(text));
    std::vector<InputRecord> batch;
    Character c;
    bool more = reader.next(c);
    if (!more || (stop && stop->load(std::memory_order_acquire))) return;
    // Watched from before the lift: once Vela sent them up, only the watch
    // knows which the user still holds.
    platform.watchKeys(true);
    ModifierSet lifted = 0;
    while (more) {
        if (stop && stop->load(std::memory_order_acquire)) break;
        // Before every batch: a modifier pressed meanwhile, or brought down
        // again by a held key's auto-repeat, goes up too.
        if (const ModifierSet down = modifiersDown(platform)) {
            platform.send(liftRecords(down, platform));
            lifted = static_cast<ModifierSet>(lifted | down);
        }
        batch.clear();
        for (std::size_t n = 0; more && n < kTypedCharactersPerBatch; ++n) {
            appendCharacter(batch, c, platform);
            more = reader.next(c);
        }
        out.send(batch);
        if (more) out.sleepMs(kTypedBatchPauseMs);
    }
    const auto stillHeld = static_cast<ModifierSet>(lifted & modifiersHeld(platform));
    if (stillHeld) platform.send(putBackRecords(stillHeld, platform));
    platform.watchKeys(false);
}

std::wstring typedTextCaption(std::wstring_view text, std::size_t length) {
    std::wstring caption;
    std::size_t characters = 0;
    bool blank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char32_t>(text[i]);
        if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\n') {
            blank = !caption.empty();
            continue;
        }
        if (c < 0x20 || c == 0x7F) continue;
        if (characters + (blank ? 1 : 0) >= length) {
            caption += L'\u2026';
            return caption;
        }
        if (blank) {
            caption += L' ';
            ++characters;
            blank = false;
        }
        caption += text[i];
        // The two halves of a pair are one character.
        if (isHighSurrogate(c) && i + 1 < text.size() &&
            isLowSurrogate(static_cast<char32_t>(text[i + 1])))
            caption += text[++i];
        ++characters;
    }
    return caption.empty() ? std::wstring(kTypeTextCaption) : caption;
}

}  // namespace vela
