// The texts bundled by language, and the choice of the language the game speaks.
#include "scenes/game_over.h"
#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

const GameTexts* g_texts = &JapaneseTexts;

// Every scene names itself in the caption of a failure to load its pictures, the menu scenes
// as the title screen; the sounds' failures are the game screen's but for the game over scene.
const LoadFailureCaptions kJapaneseCaptions[kScenesThatLoad] = {
    {Logo, "ロゴ初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {Title, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {Rule, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {Option, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {CGRoom, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {MusicRoom, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {Info, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {Play, "ゲームメイン初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
    {GameOver, "ゲームオーバー初期化エラー"_sj, "ゲームオーバー初期化エラー"_sj},
    {ReplayList, "タイトル画面初期化エラー"_sj, "ゲームメイン初期化エラー"_sj},
};

const char* const kJapaneseActions[kActionCount] = {
    "うえ"_sj,       "した"_sj,   "ひだり"_sj,        "みぎ"_sj, "けってい・かそく"_sj,
    "キャンセル"_sj, "ポーズ"_sj, "フルスクリーン"_sj};

}  // namespace

const GameTexts JapaneseTexts = {
    "もらびん！"_sj,
    TitleTopDescriptions,
    HowToPlayDescriptions,
    RuleTexts,
    InfoText,
    RankComments,
    LineBreaking::Bytes,
    Typeface::Japanese,
    {
        "ウィンドウの初期化に失敗"_sj,
        "Direct3D初期化に失敗"_sj,
        "セーブデータが作成できません\n正しくインストールされていない可能性があります"_sj,
        "ゲーム初期化エラー"_sj,
        "画像ファイルの読み込みに失敗"_sj,
        "サウンドファイルの読み込みに失敗"_sj,
        kJapaneseCaptions,
    },
    "リプレイ"_sj,
    "デモプレイ"_sj,
    "×4"_sj,
    {
        "まだリプレイがないよ\nゲームをあそぶと、ここにのこるよ"_sj,
        "%04d/%02d/%02d %02d:%02d",
        "スコア %d　きょり %d"_sj,
        "こわれたファイルです"_sj,
        "バージョン %s のリプレイです"_sj,
        "このバージョンでは再生できません"_sj,
    },
    {
        "そうさ設定"_sj,
        kJapaneseActions,
        "キー"_sj,
        "パッド"_sj,
        "ほかのウィンドウにうつるとポーズ"_sj,
        "する"_sj,
        "しない"_sj,
        "はじめの設定にもどす"_sj,
        "もどる"_sj,
        "あたらしいキーをおしてね"_sj,
        "あたらしいボタンをおしてね（Esc：やめる）"_sj,
        "%s は「%s」からうつしたよ"_sj,
        "－"_sj,
    },
    {
        "ランキングのそと：サーバーがまにあわなかったよ"_sj,
        "世界ランキングにおくっているよ…"_sj,
        "世界ランキング %d位！"_sj,
        "世界ランキングにのったよ！"_sj,
        "サーバーにつながらないよ。あとでおくるね"_sj,
        "世界ランキングにうけつけてもらえなかったよ"_sj,
        "世界ランキング"_sj,
        "あそんだゲームのリプレイをおくって、世界でのじゅんいを見るよ"_sj,
        "ランキングにさんかする"_sj,
        "する"_sj,
        "しない"_sj,
        "なまえ"_sj,
        "サーバー：%s"_sj,
        "けす"_sj,
        "けってい"_sj,
        "さきになまえをきめてね"_sj,
        "えらぶ"_sj,
        "いれる"_sj,
        "もどる"_sj,
        "タップ：いれる・えらぶ"_sj,
    },
};

const LoadFailureCaptions& FailureTexts::CaptionsOf(SceneId scene) const {
  for (const LoadFailureCaptions& c : captions)
    if (c.scene == scene) return c;
  return captions.front();
}

const GameTexts& Texts() { return *g_texts; }

void UseLanguage(Language language) {
  g_texts = language == Language::English ? &EnglishTexts : &JapaneseTexts;
}
