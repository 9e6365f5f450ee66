/*
  Mirvane sample course: the page side of the player's commands.

  A page calls the player by navigating to an address that holds a command
  keyword, for example javascript:setbookmark("l1/o1/p2.htm"); . The player
  sees every navigation before it happens and cancels most command addresses.
  Those it lets through (mute, lobject_end, openlobject, and scores sent from
  a screen that is not a test screen) run in the page, so every command has a
  function of that name below. None of them returns a value: a javascript:
  address whose result is a text would replace the page.

  Rules for addresses: never put a question mark in one (the player refuses
  queries) and write page names in lower case (the player lowercases
  everything it stores).

  Helpers for the pages, in window.mirvane: the command queue (send, later),
  screens (beginScreen, go, finishObject, reportScore), notes (saveNotes,
  loadNotes) and sound (isSoundOn, toggleSound, onSound).

  Plain ES5 on purpose.
*/
(function (w) {
  "use strict";

  var GAP = 200;      /* milliseconds between two command addresses */
  var queue = [];
  var busy = false;

  function pump() {
    if (queue.length === 0) {
      busy = false;
      return;
    }
    busy = true;
    var item = queue.shift();
    if (item.run) item.run();
    else w.location.href = item.address;
    w.setTimeout(pump, item.after);
  }

  function enqueue(item, after) {
    item.after = typeof after === "number" ? after : GAP;
    queue.push(item);
    if (!busy) pump();
  }

  /* Queues one navigation; each is its own navigation, GAP ms after the last. */
  function send(address, after) {
    enqueue({ address: address }, after);
  }

  /* Queues a function, to run in turn with the navigations. */
  function later(run, after) {
    enqueue({ run: run }, after);
  }

  /* A screen announces itself: index counted from 0, and, unless it is a test
     screen, its own address relative to the content folder as a bookmark. */
  function beginScreen(index, bookmark) {
    send("javascript:lpoint_begin('" + index + "');");
    if (bookmark) send("javascript:setbookmark(\"" + bookmark + "\");");
  }

  /* Next and Previous go through the queue so that no command is lost. */
  function go(address) {
    send(address);
  }

  /* The last screen of an object: the player goes back to the launch page. */
  function finishObject() {
    send("javascript:lobject_end();");
  }

  /* A test screen: the score in percent, then the end of the object with the
     marker that a test screen needs. */
  function reportScore(percent) {
    send("javascript:setscore(" + percent + ");", 300);
    send("javascript:lobject_end(\"next\");");
  }

  /* ---- Notes ----
     The player keeps one text of notes per learner, for the whole course:
     the menu and any screen can save and load it. */

  /* Notes travel inside an address: no question mark (refused by the player),
     no "#" or "%" (address syntax), no double quote or backslash (they frame
     the text), no line breaks. */
  function notesForAddress(text) {
    return String(text).replace(/[\r\n\t]+/g, " ")
                       .replace(/[?#%"\\]/g, "")
                       .replace(/^\s+|\s+$/g, "")
                       .substring(0, 400);
  }

  /* The stored notes come back with the double quotes they were sent in, and
     perhaps percent-encoded by the browser. */
  function notesFromTitle(title) {
    var t = String(title).replace(/^\s+|\s+$/g, "");
    if (t.length >= 2 && t.charAt(0) === "\"" && t.charAt(t.length - 1) === "\"") {
      t = t.substring(1, t.length - 1);
    }
    if (t.indexOf("%") >= 0) {
      try { t = decodeURIComponent(t); } catch (e) { /* keep it as it is */ }
    }
    return t;
  }

  /* javascript:savenotes("the notes"); returns the text as it was sent (the
     player stores it in lower case). */
  function saveNotes(text) {
    var clean = notesForAddress(text);
    send("javascript:savenotes(\"" + clean + "\")");
    return clean;
  }

  var WAITING = "\u2026 waiting for notes \u2026";
  var ANSWER_WAIT = 600;

  /* javascript:loadnotes(); the player puts the notes in the title of the top
     document. done(notes) gets them ANSWER_WAIT ms later ("" when none are
     saved), or done(null) when the player did not answer (outside Mirvane).
     The title is put back. */
  function loadNotes(done) {
    var top_ = w.top;
    var before = null;
    later(function () {
      try {
        before = top_.document.title;
        top_.document.title = WAITING;
      } catch (e) {
        before = null;
        return;
      }
      w.location.href = "javascript:loadnotes();";
    }, ANSWER_WAIT);
    later(function () {
      if (before === null) {
        done(null);
        return;
      }
      var title = top_.document.title;
      top_.document.title = before;
      done(title === WAITING ? null : notesFromTitle(title));
    }, 0);
  }

  /* ---- Sound ----
     The player's sound state reaches the pages in the progress string of the
     launch page's tracking frame (bMute=true while the sound is ON). A change
     made since is kept on the launch page itself, which the player reloads
     with a fresh progress string at the end of every object. */

  function progressText() {
    try {
      var body = w.top.frames[1].document.body;
      return body ? (body.textContent || body.innerText || "") : "";
    } catch (e) {
      return "";
    }
  }

  function isSoundOn() {
    try {
      if (typeof w.top.mirvaneSoundOn === "boolean") return w.top.mirvaneSoundOn;
    } catch (e) { /* no launch page: the player's default */ }
    var m = /(^|&)bMute=([a-z]*)/.exec(progressText());
    return m ? m[2] === "true" : true;
  }

  /* javascript:mute() - the player inverts its state and lets the address
     run, so the page's mute() below calls soundChanged(). */
  function toggleSound() {
    send("javascript:mute()");
  }

  function soundChanged() {
    var on = !isSoundOn();
    try { w.top.mirvaneSoundOn = on; } catch (e) { /* nothing to keep it in */ }
    if (typeof w.mirvane.onSound === "function") w.mirvane.onSound(on);
  }

  w.mirvane = {
    send: send,
    later: later,
    beginScreen: beginScreen,
    go: go,
    finishObject: finishObject,
    reportScore: reportScore,
    notesForAddress: notesForAddress,
    notesFromTitle: notesFromTitle,
    saveNotes: saveNotes,
    loadNotes: loadNotes,
    isSoundOn: isSoundOn,
    toggleSound: toggleSound,
    soundChanged: soundChanged,
    onSound: null       /* a page that shows the sound state sets this */
  };
}(window));

/* ---- Functions named as the player's commands ---------------------------
   The player cancels these addresses, so normally they never run; they are
   here so that a command address that does run raises no script error. */

function setbookmark(address) { }
function lpoint_begin(index) { }
function savenotes(notes) { }
function loadnotes() { }
function setscore(score) { }
function setscoreext(score) { }

/* Runs in the page: the player has already sent the browser back to
   qxlaunch.htm, which replaces this page. */
function lobject_end(marker) { }

/* Runs in the page after the player has inverted its sound state. Pages that
   show the sound state set mirvane.onSound instead of replacing this. */
function mute() { mirvane.soundChanged(); }

/* Runs in the page after the player has noted the lesson path and object.
   The course menu replaces this function with one that opens the object. */
function openlobject(path, object) { }

/* javascript:tracking.end_course() is always cancelled by the player. */
var tracking = { end_course: function () { } };
