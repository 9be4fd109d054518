#include "app/logic/CommandTable.h"

#include "app/logic/CommandIds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr CommandKind N = CommandKind::Normal;
constexpr CommandKind C = CommandKind::Check;

// clang-format off
constexpr CommandInfo kCommands[] = {
    // File
    {ID_FILE_NEW, "ID_FILE_NEW", "新規作成\tCtrl+N(&N)", {"Ctrl+N", nullptr}, "新規にファイルを作成\n新規ファイル", N},
    {ID_FILE_OPEN, "ID_FILE_OPEN", "開く...\tCtrl+O(&O)", {"Ctrl+O", nullptr}, "既存のファイルを開く\n開く", N},
    {ID_FILE_SAVE, "ID_FILE_SAVE", "上書き保存\tCtrl+S(&S)", {"Ctrl+S", nullptr}, "作業中のファイルを上書きして保存\n保存", N},
    {ID_FILE_SAVE_AS, "ID_FILE_SAVE_AS", "名前を付けて保存(&A)...", {"Ctrl+A", nullptr}, "作業中のファイルを新しい名前で保存\n名前をつけて保存", N},
    {ID_FILE_OVERWRITE_EXPORT, "ID_FILE_OVERWRITE_EXPORT", "上書き書き出し(&E)", {nullptr, nullptr}, "上書き書き出し\n上書き書出", N},
    {ID_FILE_LOAD_BACKGROUND, "ID_FILE_LOAD_BACKGROUND", "背景mqoの読み込み(&I)", {nullptr, nullptr}, "背景mqoの読み込み\n背景読込", N},
    {ID_FILE_MRU_FILE1, "ID_FILE_MRU_FILE1", "最近使ったファイル", {nullptr, nullptr}, "指定のファイルを開く", N},
    {ID_FILE_MRU_FILE2, "ID_FILE_MRU_FILE2", nullptr, {nullptr, nullptr}, "指定のファイルを開く", N},
    {ID_FILE_MRU_FILE3, "ID_FILE_MRU_FILE3", nullptr, {nullptr, nullptr}, "指定のファイルを開く", N},
    {ID_FILE_MRU_FILE4, "ID_FILE_MRU_FILE4", nullptr, {nullptr, nullptr}, "指定のファイルを開く", N},
    {ID_APP_EXIT, "ID_APP_EXIT", "アプリケーションの終了(&X)", {nullptr, nullptr}, "アプリケーションを終了し、ファイルへの保存を指示\n終了", N},
    // Edit
    {ID_EDIT_UNDO, "ID_EDIT_UNDO", "元に戻す\tCtrl+Z(&U)", {"Ctrl+Z", "Alt+Backspace"}, "直前に行った動作を元に戻す\n元に戻す", N},
    {ID_EDIT_REDO, "ID_EDIT_REDO", "やり直し\tCtrl+Y(&R)", {"Ctrl+Y", nullptr}, "取り消した操作をやり直す\nやり直す", N},
    {ID_EDIT_COPY, "ID_EDIT_COPY", "コピー\tCtrl+C(&C)", {"Ctrl+C", "Ctrl+Insert"}, "選択範囲をコピーしてクリップボードに保存\n保存", N},
    {ID_EDIT_PASTE, "ID_EDIT_PASTE", "貼り付け\tCtrl+V(&P)", {"Ctrl+V", "Shift+Insert"}, "クリップボードの内容を貼り付け\n貼り付け", N},
    {ID_EDIT_CUT, "ID_EDIT_CUT", nullptr, {"Ctrl+X", "Shift+Delete"}, "選択範囲を切り取ってクリップボードに保存\n切り取り", N},
    // View
    {ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR", "メイン ツール バー(&T)", {nullptr, nullptr}, "ツール バーの表示/非表示\nツール バーの表示/非表示", C},
    {ID_VIEW_CONTROL_TOOLBAR, "ID_VIEW_CONTROL_TOOLBAR", "コントロール ツール バー(&C)", {nullptr, nullptr}, "コントロール ツール バーの表示/非表示\nコントロール ツール バーの表示/非表示", C},
    {ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", "ステータス バー(&S)", {nullptr, nullptr}, "ステータス バーの表示/非表示\nステータス バーの表示/非表示", C},
    {ID_VIEW_VERTICES, "ID_VIEW_VERTICES", "点表示(&V)\tAlt+Y", {"Alt+Y", nullptr}, "頂点を表示・非表示する\n頂点表示・非表示", C},
    {ID_VIEW_EDGES, "ID_VIEW_EDGES", "辺表示(&L)\tAlt+D", {"Alt+D", nullptr}, "ラインを表示・非表示する\n辺表示・非表示", C},
    {ID_VIEW_FACES, "ID_VIEW_FACES", "面を表示(&P)\tAlt+G", {"Alt+G", nullptr}, "ポリゴン面を表示・非表示する\n面表示・非表示", C},
    {ID_VIEW_BONES, "ID_VIEW_BONES", "ボーン表示(&B)\tAlt+X", {"Alt+X", nullptr}, "ボーンを表示・非表示する\nボーン表示", C},
    // Operation
    {ID_OPERATION_SELECT_VERTEX, "ID_OPERATION_SELECT_VERTEX", "頂点選択(&V)\tCtrl+M", {"Ctrl+M", nullptr}, "頂点を(範囲)選択する。Shiftキーを押しながらクリックで選択解除できる\n頂点選択・解除", C},
    {ID_OPERATION_SELECT_CONNECTED, "ID_OPERATION_SELECT_CONNECTED", "接続面の頂点選択(&C)", {nullptr, nullptr}, "接続する面に属する頂点を選択\n接続面頂点選択", C},
    {ID_OPERATION_TRANSLATE, "ID_OPERATION_TRANSLATE", "平行移動(&T)\tCtrl+W", {"Ctrl+W", nullptr}, "ボーンを平行移動させる\n平行移動", C},
    {ID_OPERATION_ROTATE, "ID_OPERATION_ROTATE", "回転(&R)\tCtrl+R", {"Ctrl+R", nullptr}, "ボーンを回転させる\n回転", C},
    {ID_OPERATION_SCALE, "ID_OPERATION_SCALE", "スケール(&S)\tCtrl+L", {"Ctrl+L", nullptr}, "ボーンを拡大縮小させる\n拡大縮小", C},
    {ID_OPERATION_CAMERA_CENTER, "ID_OPERATION_CAMERA_CENTER", "カメラ中心(&C)\tF4", {"F4", nullptr}, "カメラをターゲットに向ける\nカメラ中心", C},
    // Control
    {ID_CONTROL_PLAY, "ID_CONTROL_PLAY", "再生(&P)\tCtrl+B", {"Ctrl+B", nullptr}, "アニメーションを再生する\n再生", C},
    {ID_CONTROL_LOOP, "ID_CONTROL_LOOP", "ループ再生(&O)", {nullptr, nullptr}, "ループ再生\nループ再生", C},
    {ID_CONTROL_STOP, "ID_CONTROL_STOP", "停止(&S)\tCtrl+D", {"Ctrl+D", nullptr}, "アニメーションを停止する\n停止", N},
    {ID_CONTROL_FIRST, "ID_CONTROL_FIRST", "最初(&F)\tCtrl+I", {"Ctrl+I", nullptr}, "最初に戻る\n最初", N},
    {ID_CONTROL_PREV_KEY, "ID_CONTROL_PREV_KEY", "前のキーフレーム(&R)\tCtrl+H", {"Ctrl+H", nullptr}, "一つ前のキーフレームに戻る\n前のキーフレーム", N},
    {ID_CONTROL_PREV_FRAME, "ID_CONTROL_PREV_FRAME", "前のフレーム(&V)\tCtrl+F", {"Ctrl+F", nullptr}, "一つ前に戻る\n一つ前", N},
    {ID_CONTROL_NEXT_FRAME, "ID_CONTROL_NEXT_FRAME", "次のフレーム(&N)\tCtrl+E", {"Ctrl+E", nullptr}, "一つ次のフレームへ進む\n次へ", N},
    {ID_CONTROL_NEXT_KEY, "ID_CONTROL_NEXT_KEY", "次のキーフレーム(&X)\tCtrl+G", {"Ctrl+G", nullptr}, "次のキーフレームへ進む\n次のキーフレーム", N},
    {ID_CONTROL_LAST, "ID_CONTROL_LAST", "最後(&L)\tCtrl+J", {"Ctrl+J", nullptr}, "最後に進む\n最後", N},
    {ID_CONTROL_KEY_FRAME_DIALOG, "ID_CONTROL_KEY_FRAME_DIALOG", "キーフレームの追加・削除(&K)\tCtrl+K", {"Ctrl+K", nullptr}, "キーフレームを設定する\nキーフレーム設定", N},
    {ID_CONTROL_ADD_KEY, "ID_CONTROL_ADD_KEY", "キーフレーム追加(&A)\tCtrl+P", {"Ctrl+P", nullptr}, "選択ボーンのキーフレームを追加する\nキー追加", N},
    {ID_CONTROL_ADD_KEY_ALL, "ID_CONTROL_ADD_KEY_ALL", "キーフレーム全追加(&D)\tCtrl+Q", {"Ctrl+Q", nullptr}, "全てのボーンにキーフレームを追加する\nキー全追加", N},
    {ID_CONTROL_DELETE_KEY, "ID_CONTROL_DELETE_KEY", "キーフレーム削除(&E)\tCtrl+T", {"Ctrl+T", nullptr}, "選択ボーンのキーフレームを削除する\nキー削除", N},
    {ID_CONTROL_DELETE_KEY_ALL, "ID_CONTROL_DELETE_KEY_ALL", "キーフレーム全削除(&T)\tCtrl+U", {"Ctrl+U", nullptr}, "全てのボーンのキーフレームを削除する\nキー全削除", N},
    // Settings
    {ID_SETTINGS_PROPERTIES, "ID_SETTINGS_PROPERTIES", "各種設定(&P)", {nullptr, nullptr}, nullptr, N},
    {ID_SETTINGS_CAMERA_RESET, "ID_SETTINGS_CAMERA_RESET", "カメラ初期化(&I)\tAlt+W", {"Alt+W", nullptr}, "カメラを初期化\nカメラ初期化", N},
    {ID_SETTINGS_HERMITE, "ID_SETTINGS_HERMITE", "エルミート曲線(&E)", {nullptr, nullptr}, "アニメーションを線形補間かエルミート曲線補間か選択", C},
    {ID_COLOR_BACKGROUND, "ID_COLOR_BACKGROUND", "背景色(&C)\tAlt+N", {"Alt+N", nullptr}, "背景色\n背景色", N},
    {ID_COLOR_LINE, "ID_COLOR_LINE", "ライン・頂点色(&L)", {nullptr, nullptr}, nullptr, N},
    {ID_COLOR_SELECTED_LINE, "ID_COLOR_SELECTED_LINE", "選択頂点色(&S)", {nullptr, nullptr}, nullptr, N},
    {ID_COLOR_BONE, "ID_COLOR_BONE", "ボーン色(&B)", {nullptr, nullptr}, nullptr, N},
    {ID_COLOR_SELECTED_BONE, "ID_COLOR_SELECTED_BONE", "選択ボーン色(&O)", {nullptr, nullptr}, nullptr, N},
    {ID_COLOR_SELECTION_FRAME, "ID_COLOR_SELECTION_FRAME", "選択枠色(&R)", {nullptr, nullptr}, nullptr, N},
    {ID_SETTINGS_DELETE_REGISTRY, "ID_SETTINGS_DELETE_REGISTRY", "レジストリの削除(&U)", {nullptr, nullptr}, "レジストリの削除\nレジストリの削除", N},
    // Help
    {ID_CONTEXT_HELP, "ID_CONTEXT_HELP", "目次(&H)\tAlt+I", {"Alt+I", nullptr}, "ヘルプファイルを開く\nヘルプファイル", N},
    {ID_APP_ABOUT, "ID_APP_ABOUT", "バージョン情報 Kinemorphix(&A)...\tAlt+Q", {"Alt+Q", nullptr}, "プログラム情報、バージョン、著作権を表示します。\nバージョン情報", N},
    // Camera presets: accelerators only
    {ID_CAMERA_PRESET_F1, "ID_CAMERA_PRESET_F1", nullptr, {"F1", nullptr}, nullptr, N},
    {ID_CAMERA_PRESET_SHIFT_F1, "ID_CAMERA_PRESET_SHIFT_F1", nullptr, {"Shift+F1", nullptr}, nullptr, N},
    {ID_CAMERA_PRESET_F2, "ID_CAMERA_PRESET_F2", nullptr, {"F2", nullptr}, nullptr, N},
    {ID_CAMERA_PRESET_SHIFT_F2, "ID_CAMERA_PRESET_SHIFT_F2", nullptr, {"Shift+F2", nullptr}, nullptr, N},
    {ID_CAMERA_PRESET_F3, "ID_CAMERA_PRESET_F3", nullptr, {"F3", nullptr}, nullptr, N},
    {ID_CAMERA_PRESET_SHIFT_F3, "ID_CAMERA_PRESET_SHIFT_F3", nullptr, {"Shift+F3", nullptr}, nullptr, N},
    // Material list pop-up
    {ID_MATERIAL_ADD, "ID_MATERIAL_ADD", "マテリアル追加", {nullptr, nullptr}, nullptr, N},
    {ID_MATERIAL_DELETE, "ID_MATERIAL_DELETE", "マテリアル削除", {nullptr, nullptr}, nullptr, N},
    {ID_MATERIAL_RENAME, "ID_MATERIAL_RENAME", nullptr, {nullptr, nullptr}, nullptr, N},
    // Animation list pop-up
    {ID_ANIMATION_ADD, "ID_ANIMATION_ADD", "アニメーション追加", {nullptr, nullptr}, nullptr, N},
    {ID_ANIMATION_DUPLICATE, "ID_ANIMATION_DUPLICATE", "アニメーション複製", {nullptr, nullptr}, nullptr, N},
    {ID_ANIMATION_DELETE, "ID_ANIMATION_DELETE", "アニメーション削除", {nullptr, nullptr}, nullptr, N},
};

constexpr MenuLine Item(int id) { return {MenuLine::Item, id, nullptr}; }
constexpr MenuLine Sep() { return {MenuLine::Separator, 0, nullptr}; }
constexpr MenuLine Begin(const char* title) { return {MenuLine::SubmenuBegin, 0, title}; }
constexpr MenuLine End() { return {MenuLine::SubmenuEnd, 0, nullptr}; }

constexpr MenuLine kFileMenu[] = {
    Item(ID_FILE_NEW), Item(ID_FILE_OPEN), Item(ID_FILE_SAVE), Item(ID_FILE_SAVE_AS),
    Item(ID_FILE_OVERWRITE_EXPORT), Sep(), Item(ID_FILE_LOAD_BACKGROUND), Sep(),
    Item(ID_FILE_MRU_FILE1), Sep(), Item(ID_APP_EXIT),
};
constexpr MenuLine kEditMenu[] = {
    Item(ID_EDIT_UNDO), Item(ID_EDIT_REDO), Sep(), Item(ID_EDIT_COPY), Item(ID_EDIT_PASTE),
};
constexpr MenuLine kViewMenu[] = {
    Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_CONTROL_TOOLBAR), Item(ID_VIEW_STATUS_BAR), Sep(),
    Item(ID_VIEW_VERTICES), Item(ID_VIEW_EDGES), Item(ID_VIEW_FACES), Item(ID_VIEW_BONES),
};
constexpr MenuLine kOperationMenu[] = {
    Item(ID_OPERATION_SELECT_VERTEX), Item(ID_OPERATION_SELECT_CONNECTED), Sep(),
    Item(ID_OPERATION_TRANSLATE), Item(ID_OPERATION_ROTATE), Item(ID_OPERATION_SCALE), Sep(),
    Item(ID_OPERATION_CAMERA_CENTER),
};
constexpr MenuLine kControlMenu[] = {
    Item(ID_CONTROL_PLAY), Item(ID_CONTROL_LOOP), Item(ID_CONTROL_STOP), Sep(),
    Item(ID_CONTROL_FIRST), Item(ID_CONTROL_PREV_KEY), Item(ID_CONTROL_PREV_FRAME),
    Item(ID_CONTROL_NEXT_FRAME), Item(ID_CONTROL_NEXT_KEY), Item(ID_CONTROL_LAST), Sep(),
    Item(ID_CONTROL_KEY_FRAME_DIALOG), Item(ID_CONTROL_ADD_KEY), Item(ID_CONTROL_ADD_KEY_ALL),
    Item(ID_CONTROL_DELETE_KEY), Item(ID_CONTROL_DELETE_KEY_ALL),
};
constexpr MenuLine kSettingsMenu[] = {
    Item(ID_SETTINGS_PROPERTIES), Item(ID_SETTINGS_CAMERA_RESET), Item(ID_SETTINGS_HERMITE), Sep(),
    Begin("色(&C)"), Item(ID_COLOR_BACKGROUND), Item(ID_COLOR_LINE), Item(ID_COLOR_SELECTED_LINE),
    Item(ID_COLOR_BONE), Item(ID_COLOR_SELECTED_BONE), Item(ID_COLOR_SELECTION_FRAME), End(), Sep(),
    Item(ID_SETTINGS_DELETE_REGISTRY),
};
constexpr MenuLine kHelpMenu[] = {
    Item(ID_CONTEXT_HELP), Sep(), Item(ID_APP_ABOUT),
};

constexpr MenuDef kMenuBar[] = {
    {"ファイル(&F)", kFileMenu}, {"編集(&E)", kEditMenu},      {"表示(&V)", kViewMenu},
    {"操作(&O)", kOperationMenu}, {"制御(&C)", kControlMenu}, {"設定(&S)", kSettingsMenu},
    {"ヘルプ(&H)", kHelpMenu},
};

constexpr MenuLine kMaterialPopup[] = {Item(ID_MATERIAL_ADD), Item(ID_MATERIAL_DELETE)};
constexpr MenuLine kAnimationPopup[] = {
    Item(ID_ANIMATION_ADD), Item(ID_ANIMATION_DUPLICATE), Item(ID_ANIMATION_DELETE),
};
constexpr MenuDef kMaterialPopupMenu{"ﾏﾃﾘｱﾙ", kMaterialPopup};
constexpr MenuDef kAnimationPopupMenu{"アニメーション", kAnimationPopup};

constexpr ToolDef kMainToolBar[] = {
    {ID_FILE_NEW, "新規"}, {ID_FILE_OPEN, "開く"}, {ID_FILE_SAVE, "保存"}, {ID_FILE_OVERWRITE_EXPORT, "書出"},
    {0, nullptr},
    {ID_EDIT_UNDO, "Undo"}, {ID_EDIT_REDO, "Redo"},
    {0, nullptr},
    {ID_OPERATION_SELECT_VERTEX, "選択"}, {ID_OPERATION_TRANSLATE, "移動"}, {ID_OPERATION_ROTATE, "回転"},
    {ID_OPERATION_SCALE, "拡大"},
    {0, nullptr},
    {ID_OPERATION_CAMERA_CENTER, "中心"},
    {0, nullptr},
    {ID_VIEW_VERTICES, "点"}, {ID_VIEW_EDGES, "辺"}, {ID_VIEW_FACES, "面"}, {ID_VIEW_BONES, "ﾎﾞｰﾝ"},
};
constexpr ToolDef kControlToolBar[] = {
    {ID_CONTROL_FIRST, "最初"}, {ID_CONTROL_PREV_KEY, "前ｷｰ"}, {ID_CONTROL_PREV_FRAME, "前へ"},
    {ID_CONTROL_STOP, "停止"}, {ID_CONTROL_LOOP, "ﾙｰﾌﾟ"}, {ID_CONTROL_PLAY, "再生"},
    {ID_CONTROL_NEXT_FRAME, "次へ"}, {ID_CONTROL_NEXT_KEY, "次ｷｰ"}, {ID_CONTROL_LAST, "最後"},
    {0, nullptr},
    {ID_CONTROL_KEY_FRAME_DIALOG, "キー"}, {ID_CONTROL_ADD_KEY, "追加"}, {ID_CONTROL_ADD_KEY_ALL, "全追"},
    {ID_CONTROL_DELETE_KEY, "削除"}, {ID_CONTROL_DELETE_KEY_ALL, "全削"},
};
// clang-format on

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const MenuDef> MenuBarLayout() { return kMenuBar; }

const MenuDef& PopupMenuLayout(PopupMenuId which)
{
    return which == PopupMenuId::Material ? kMaterialPopupMenu : kAnimationPopupMenu;
}

std::span<const ToolDef> MainToolBarLayout() { return kMainToolBar; }
std::span<const ToolDef> ControlToolBarLayout() { return kControlToolBar; }

MenuTextParts SplitMenuText(const char* menuText)
{
    MenuTextParts parts;
    if (!menuText)
        return parts;
    const std::string text = menuText;
    const std::size_t tab = text.find('\t');
    if (tab == std::string::npos) {
        parts.label = text;
        return parts;
    }
    parts.label = text.substr(0, tab);
    parts.accelerator = text.substr(tab + 1);
    // "Ctrl+O(&O)": the mnemonic goes back to the label.
    const std::size_t open = parts.accelerator.rfind("(&");
    if (open != std::string::npos && parts.accelerator.back() == ')') {
        parts.label += parts.accelerator.substr(open);
        parts.accelerator.erase(open);
    }
    return parts;
}

std::string PromptOf(const CommandInfo& command)
{
    if (!command.prompt)
        return {};
    const char* end = std::strchr(command.prompt, '\n');
    return end ? std::string(command.prompt, end) : std::string(command.prompt);
}

std::string TooltipOf(const CommandInfo& command)
{
    if (!command.prompt)
        return {};
    const char* end = std::strchr(command.prompt, '\n');
    return end ? std::string(end + 1) : std::string();
}

bool ParseAccelerator(const char* text, Accelerator& out)
{
    if (!text)
        return false;
    out = Accelerator{};
    std::string rest = text;
    for (;;) {
        if (rest.starts_with("Ctrl+") && !out.ctrl) {
            out.ctrl = true;
            rest.erase(0, 5);
        } else if (rest.starts_with("Alt+") && !out.alt) {
            out.alt = true;
            rest.erase(0, 4);
        } else if (rest.starts_with("Shift+") && !out.shift) {
            out.shift = true;
            rest.erase(0, 6);
        } else {
            break;
        }
    }
    const bool letterOrDigit =
        rest.size() == 1 && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= '0' && rest[0] <= '9'));
    bool functionKey = false;
    if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == 'F') {
        const int n = std::atoi(rest.c_str() + 1);
        functionKey = n >= 1 && n <= 12 && std::to_string(n) == rest.substr(1);
    }
    const bool named = rest == "Backspace" || rest == "Insert" || rest == "Delete";
    out.key = rest;
    return letterOrDigit || functionKey || named;
}
