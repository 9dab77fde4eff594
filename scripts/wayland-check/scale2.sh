# Sourced by wayland-check.sh inside its namespaces, after the desktop and
# its input: the toy at output scale 2. Its outline steps one device pixel
# at a time (a picture drawn at scale 1 and scaled up steps two at a time),
# and its edge is as sharp as at scale 1: no more pixels half-way between
# the figure and the window below than the longer edge explains.
# Exits 0 when every check holds.

results=()
check() { # status name detail
  log "check $2: $([ "$1" -eq 0 ] && echo yes || echo NO) ($3)"
  results+=("$2=$([ "$1" -eq 0 ] && echo yes || echo no)")
}

# Pixels of the figure's box that are neither the backdrop (within 1%) nor
# clearly the figure (beyond 25%): what blurring the edge makes.
halo() { # reference picture w h x y
  echo $(($(differing "$1" "$2" 1% "$3" "$4" "$5" "$6") - $(differing "$1" "$2" 25% "$3" "$4" "$5" "$6")))
}
# Of the figure's mask in a box "w h x y" of device pixels: how many rows
# differ from the row they would be a copy of if a picture of half the size
# were doubled (rows 2k and 2k+1 of the screen), and how many columns.
odd_steps() { # reference picture w h x y
  compare -fuzz 6% "$1" "$2" -compose src -highlight-color white -lowlight-color black - 2>/dev/null |
    convert - -crop "$3x$4+$5+$6" +repage -threshold 50% -compress none pbm:- |
    awk -v x0="$5" -v y0="$6" '
      NR == 1 { next }
      NR == 2 { w = $1; h = $2; next }
      { for (i = 1; i <= NF; i++) { if ($i ~ /^[01]+$/) for (j = 1; j <= length($i); j++) { m[n % w, int(n / w)] = substr($i, j, 1); n++ } } }
      END {
        for (r = 0; r + 1 < h; r++) if ((y0 + r) % 2 == 0) { for (c = 0; c < w; c++) if (m[c, r] != m[c, r + 1]) { rows++; break } }
        for (c = 0; c + 1 < w; c++) if ((x0 + c) % 2 == 0) { for (r = 0; r < h; r++) if (m[c, r] != m[c + 1, r]) { cols++; break } }
        print rows + 0, cols + 0
      }'
}
shown() { park && shot /tmp/first.png && [ -n "$(box "$dir/$1" /tmp/first.png)" ]; }

# At scale 1 first: the edge to compare with.
start_backdrop
sleep 1
park
shot "$dir/backdrop-1.png"
launch_toy
within 15 shown backdrop-1.png || { log "the toy did not show at scale 1"; cat /tmp/toy.log; exit 1; }
sleep 0.5
park
shot "$dir/rest-1.png"
read -r w1 h1 x1 y1 < <(box "$dir/backdrop-1.png" "$dir/rest-1.png")
halo1=$(halo "$dir/backdrop-1.png" "$dir/rest-1.png" "$w1" "$h1" "$x1" "$y1")
log "scale 1: the figure ${w1}x$h1 at $x1,$y1, $halo1 pixels of its box half-way to the backdrop"
kill "$toy_pid" && wait "$toy_pid" 2>/dev/null

# Then at scale 2: 1024x768 device pixels, 512x384 logical ones.
swaymsg output HEADLESS-1 scale 2 >/dev/null
vp extent 512 384
park_at="505 378"
sleep 1
park
shot "$dir/backdrop-2.png"
launch_toy
within 15 shown backdrop-2.png || { log "the toy did not show at scale 2"; cat /tmp/toy.log; exit 1; }
sleep 0.5
park
shot "$dir/rest-2.png"
read -r w h x y < <(box "$dir/backdrop-2.png" "$dir/rest-2.png")
log "scale 2: the figure ${w}x$h at $x,$y (device pixels)"
[ "$w" -gt $((w1 * 3 / 2)) ] && [ "$w" -le 138 ] && [ "$h" -le 192 ]
check $? scaled "${w}x$h device pixels, ${w1}x$h1 at scale 1"

# Wound on its body (logical pixels), it walks; pictures as it goes.
bx=$((x / 2 + 34)) by=$((y / 2 + 40))
vp move $bx $by && vp press 1
for _ in 1 2 3; do vp press 3 && vp release 3 && sleep 0.1; done
vp release 1
sleep 0.8
pictures=(rest-2)
for i in 1 2 3; do
  park
  shot "$dir/walk-2-$i.png"
  pictures+=("walk-2-$i")
  sleep 0.3
done

rows_all=0 cols_all=0 halo_max=0 walked=1
for name in "${pictures[@]}"; do
  read -r pw ph px py < <(box "$dir/backdrop-2.png" "$dir/$name.png")
  [ -n "${pw:-}" ] || { log "$name: no figure"; rows_all=-999; continue; }
  read -r rows cols < <(odd_steps "$dir/backdrop-2.png" "$dir/$name.png" "$pw" "$ph" "$px" "$py")
  halo2=$(halo "$dir/backdrop-2.png" "$dir/$name.png" "$pw" "$ph" "$px" "$py")
  log "$name: the figure ${pw}x$ph at $px,$py; $rows row pairs and $cols column pairs differ; $halo2 pixels half-way"
  [ "$rows" -gt 0 ] && [ "$cols" -gt 0 ] || rows_all=-999
  rows_all=$((rows_all + rows)) cols_all=$((cols_all + cols))
  [ "$halo2" -gt "$halo_max" ] && halo_max=$halo2
  [ "$name" != rest-2 ] && [ "$px" -lt $((x - 10)) ] && walked=0
done
check $walked walks "the figure left of $x in the last pictures"
[ "$rows_all" -gt 0 ] && [ "$cols_all" -gt 0 ]
check $? one-device-pixel-steps "in ${#pictures[@]} pictures, $rows_all row pairs and $cols_all column pairs where a doubled picture has none"
# The edge is twice as long in device pixels: twice the half-way pixels, and
# a little more for the smoothed art's own in-between colours.
[ "$halo_max" -le $((2 * halo1 + 24)) ]
check $? crisp "at most $halo_max pixels half-way to the backdrop at scale 2, $halo1 at scale 1"

grep -v "^$" /tmp/toy.log | grep -v "^\[" | sed "s/^/toy: /"
cp /tmp/toy.log "$dir/toy.log"
kill "$toy_pid" 2>/dev/null
log "result: ${results[*]}"
[[ " ${results[*]} " != *=no* ]]
