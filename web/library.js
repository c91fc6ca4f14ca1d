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
  // The name of the renderer WebGL draws with here, unmasked where the browser tells it ("" for
  // a page without WebGL). Asked of a canvas of its own: a canvas keeps the first kind of context
  // it gives, and the game's may still need to be a 2D one.
  moravin_page_webgl_renderer__deps: ["$stringToNewUTF8"],
  moravin_page_webgl_renderer: function () {
    var name = "";
    try {
      var gl = document.createElement("canvas").getContext("webgl");
      if (gl) {
        var info = gl.getExtension("WEBGL_debug_renderer_info");
        name = String(gl.getParameter(info ? info.UNMASKED_RENDERER_WEBGL : gl.RENDERER));
        var lose = gl.getExtension("WEBGL_lose_context");
        if (lose) lose.loseContext();
      }
    } catch (error) { /* no WebGL: nothing to name */ }
    return stringToNewUTF8(name);
  },
  // Whether the player's game is on: the page holds an update's restart back until it ends.
  moravin_page_game_state: function (inPlay) {
    if (Module.moravinGameState) Module.moravinGameState(!!inPlay);
  },
  // Whether the game waits for fetched resources: the page shows their progress meanwhile.
  moravin_page_waiting: function (waiting) {
    if (Module.moravinWaiting) Module.moravinWaiting(!!waiting);
  },
  // When each frame ran, for the page's pacing figures: the last 4096 frames.
  moravin_page_frame_ran: function () {
    var times = Module.moravinFrameTimes || (Module.moravinFrameTimes = []);
    times.push(performance.now());
    if (times.length > 4096) times.splice(0, times.length - 4096);
  },
});
