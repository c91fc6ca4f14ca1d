// What the game calls of its page (src/system/web/browser.cpp); the page (shell.html) defines
// the Module.moravin* handlers, and a page without them loses nothing.
mergeInto(LibraryManager.library, {
  // SDL 2.26's audio calls these of emscripten's library without asking for them.
  moravin_page_ended__deps: ["$autoResumeAudioContext", "$dynCall"],
  moravin_page_ended: function (exitCode) {
    if (Module.moravinEnded) Module.moravinEnded(exitCode);
  },
  moravin_page_message: function (caption, text, error) {
    if (Module.moravinMessage) Module.moravinMessage(UTF8ToString(caption), UTF8ToString(text), !!error);
  },
  // When each frame ran, for the page's pacing figures: the last 4096 frames.
  moravin_page_frame_ran: function () {
    var times = Module.moravinFrameTimes || (Module.moravinFrameTimes = []);
    times.push(performance.now());
    if (times.length > 4096) times.splice(0, times.length - 4096);
  },
});
