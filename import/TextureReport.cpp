#include "import/TextureReport.h"

#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <unordered_set>
#include <utility>
#include <vector>

namespace {

const char* const kFailure = "テクスチャファイルの読み込みに失敗しました";
constexpr std::size_t kNamesShown = 5;
constexpr std::size_t kLongestName = 160;  // bytes of UTF-8 shown of one name

struct Collected {
    int depth = 0;
    std::vector<std::string> names;  // each once, in the order they failed
    std::unordered_set<std::string> seen;
};

Collected& State()
{
    static Collected collected;
    return collected;
}

// A name as UTF-8, cut at a character when it is very long.
std::string Shown(const std::string& name)
{
    std::string text = cp932::ToUtf8(name);
    if (text.size() <= kLongestName)
        return text;
    std::size_t end = kLongestName;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end) + "…";
}

std::string Message(const std::vector<std::string>& names)
{
    std::string text = kFailure;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += "\n" + Shown(names[i]);
    if (names.size() > kNamesShown)
        text += "\n（ほか " + std::to_string(names.size() - kNamesShown) + " 個、全部で " +
                std::to_string(names.size()) + " 個のファイル）";
    return text;
}

}  // namespace

TextureReport::TextureReport() { ++State().depth; }

TextureReport::~TextureReport()
{
    Collected& state = State();
    if (--state.depth > 0 || state.names.empty())
        return;
    const std::vector<std::string> names = std::exchange(state.names, {});
    state.seen.clear();
    try {
        ShowMessage(Message(names), MessageButtons::Ok, MessageIcon::Warning);
    } catch (...) {
        // Nothing is left to tell it with.
    }
}

void TextureReport::Failed(const std::string& textureName)
{
    Collected& state = State();
    if (state.depth == 0) {
        ShowMessage(kFailure, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (state.seen.insert(textureName).second)
        state.names.push_back(textureName);
}

void TextureReport::Discard()
{
    Collected& state = State();
    state.names.clear();
    state.seen.clear();
}
