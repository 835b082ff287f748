#!/usr/bin/env bash
# Makes the program folder's generated files in data/: welcome pages, effect sounds
# and spoken luck remarks. Files already present are kept, so this is cheap to rerun.
set -euo pipefail
cd "$(dirname "$0")/../data"

mkdir -p html wavs "talking wavs" log jf_mat pics/backgrounds

# --- welcome pages --------------------------------------------------------
page() { # file title body
  [ -f "$1" ] && return 0
  cat > "$1" <<HTML
<html><head><title>$2</title></head>
<body style="background:#10261a;color:#e8e2c8;font-family:sans-serif">
<h2 style="color:#f0c850">$2</h2>
<p>$3</p>
</body></html>
HTML
}
page html/intro.html "Welcome to Korvex" \
  "Korvex plays backgammon on FIBS, the First Internet Backgammon Server, and offline against GNU Backgammon. Choose <b>Game &gt; Play Online</b> to log in, or <b>Game &gt; Play offline against the computer</b> for a match against the engine."
tips=(
  "Double-click a player in the list to invite him to a match."
  "Click the dice to pick them up and send your move; Undo takes back the checkers you moved this turn."
  "The Ready list shows the players who are waiting for a match."
  "Friends appear in their own list and a sound tells you when one logs in."
  "Every match you play is kept in the log folder and converted to a .mat file."
  "Watching a strong match is a good way to learn: right-click a player and choose Watch."
  "The engine can give you a hint for your move; try it in an offline match."
  "Use the kibitz box below the board to talk to the players and watchers of a match."
  "Shouts reach everyone on the server; keep them friendly."
  "Offline matches can start from the nackgammon position; see the preferences."
)
for i in $(seq 1 10); do
  page "html/daily$i.html" "Tip of the day ($i)" "${tips[$((i-1))]}"
done

# --- effect sounds (synthesised with sox) -----------------------------------
tone() { # name sox-synth-arguments...
  local f="wavs/$1.wav"; shift
  [ -f "$f" ] && return 0
  command -v sox >/dev/null || { echo "sox missing: $f not made" >&2; return 0; }
  sox -n -r 22050 -c 1 -b 16 "$f" "$@"
}
tone move     synth 0.06 pinknoise fade 0 0.06 0.04 gain -8
tone hit      synth 0.12 square 220 synth 0.12 sine fmod 110 fade 0 0.12 0.08 gain -10
tone bearoff  synth 0.10 sine 660:990 fade 0 0.1 0.05 gain -10
tone dance    synth 0.35 sine 440:220 fade 0 0.35 0.1 gain -10
tone ding     synth 0.40 sine 1320 fade 0 0.4 0.35 gain -10
tone bell     synth 0.60 sine 880 sine 1320 fade 0 0.6 0.5 gain -12
tone kibitz   synth 0.08 sine 1000 fade 0 0.08 0.04 gain -12
tone shout    synth 0.15 sine 700 fade 0 0.15 0.1 gain -12
tone shout2   synth 0.15 sine 900 fade 0 0.15 0.1 gain -12
tone dropped  synth 0.50 sawtooth 300:120 fade 0 0.5 0.2 gain -14
tone won      synth 0.25 sine 523 : synth 0.25 sine 659 : synth 0.40 sine 784 gain -10
tone lost     synth 0.25 sine 392 : synth 0.25 sine 330 : synth 0.40 sine 262 gain -10
tone friend   synth 0.12 sine 784 : synth 0.18 sine 1046 gain -10
tone welcome  synth 0.15 sine 523 : synth 0.15 sine 784 : synth 0.3 sine 1046 gain -10
tone double   synth 0.20 square 330 fade 0 0.2 0.1 gain -14
tone roll     synth 0.20 brownnoise fade 0 0.2 0.1 gain -6
tone dice1    synth 0.18 brownnoise tremolo 30 90 fade 0 0.18 0.1 gain -6
tone dice2    synth 0.22 brownnoise tremolo 40 90 fade 0 0.22 0.1 gain -6

# --- spoken luck remarks ------------------------------------------------------
say() { # folder file text
  local f="talking wavs/$1/$2.wav"
  mkdir -p "talking wavs/$1"
  [ -f "$f" ] && return 0
  command -v espeak-ng >/dev/null || { echo "espeak-ng missing: $f not made" >&2; return 0; }
  espeak-ng -s 150 -w "$f" "$3"
}
say u_lucky    nice_roll      "Nice roll."
say u_vlucky   what_a_shot    "What a shot!"
say u_unlucky  too_bad        "Too bad."
say u_vunlucky ouch           "Ouch. That hurts."
say g_lucky    lucky_for_me   "Lucky for me."
say g_vlucky   i_will_take_it "I will take it!"
say g_unlucky  not_my_day     "Not my day."
say g_vunlucky awful          "Awful roll."
say . hello "Hello."
say . good_game "Good game."
