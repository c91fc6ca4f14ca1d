// The texts bundled by language, and the choice of the language the game speaks.
#include "scenes/game_over.h"
#include "scenes/texts.h"
#include "system/shift_jis.h"

namespace {

const GameTexts* g_texts = &JapaneseTexts;

}  // namespace

const GameTexts JapaneseTexts = {
    "もらびん！"_sj,
    TitleTopDescriptions,
    HowToPlayDescriptions,
    RuleTexts,
    InfoText,
    RankComments,
    LineBreaking::Bytes,
    {
        "ウィンドウの初期化に失敗"_sj,
        "Direct3D初期化に失敗"_sj,
        "セーブデータが作成できません\n正しくインストールされていない可能性があります"_sj,
        "ゲーム初期化エラー"_sj,
        "画像ファイルの読み込みに失敗"_sj,
        "サウンドファイルの読み込みに失敗"_sj,
        "ロゴ初期化エラー"_sj,
        "タイトル画面初期化エラー"_sj,
        "ゲームメイン初期化エラー"_sj,
        "ゲームオーバー初期化エラー"_sj,
    },
    "リプレイ"_sj,
    "デモプレイ"_sj,
};

const GameTexts& Texts() { return *g_texts; }

void UseLanguage(Language language) {
  g_texts = language == Language::English ? &EnglishTexts : &JapaneseTexts;
}
