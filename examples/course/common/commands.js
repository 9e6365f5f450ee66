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
    w.location.href = item.address;
    w.setTimeout(pump, item.after);
  }

  /* Queues one navigation; each is its own navigation, GAP ms after the last. */
  function send(address, after) {
    queue.push({ address: address, after: typeof after === "number" ? after : GAP });
    if (!busy) pump();
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

  w.mirvane = {
    send: send,
    beginScreen: beginScreen,
    go: go,
    finishObject: finishObject,
    reportScore: reportScore
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
   show the sound state replace this function. */
function mute() { }

/* Runs in the page after the player has noted the lesson path and object.
   The course menu replaces this function with one that opens the object. */
function openlobject(path, object) { }

/* javascript:tracking.end_course() is always cancelled by the player. */
var tracking = { end_course: function () { } };
