// The texts of the menu scenes, Shift-JIS with the message window's markup.
#pragma once

// Descriptions typed into the title's window: top menu items 0 to 6, how-to-play items 0 to 3.
extern const char* const TitleTopDescriptions[7];
extern const char* const HowToPlayDescriptions[4];

// The how-to-play texts by topic: 0 rules, 1 controls, 2 story.
extern const char* const RulesText;
extern const char* const ControlsText;
extern const char* const StoryText;
extern const char* const RuleTexts[3];

// The makers' announcement shown by the information scene.
extern const char* const InfoText;
