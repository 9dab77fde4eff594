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
# Pixels of a box "w h x y" (even corner) that a picture of half the size,
# doubled, could not show: 0 when every 2x2 block of device pixels is one
# colour, as in a picture drawn at scale 1 and scaled up without smoothing.
detail() { # picture w h x y
  convert "$1" -crop "$2x$3+$4+$5" +repage /tmp/detail.png &&
    convert /tmp/detail.png -sample 50% -sample 200% /tmp/doubled.png &&
    compare -metric AE /tmp/detail.png /tmp/doubled.png null: 2>&1 | cut -d' ' -f1 | cut -d. -f1
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

stepping=0 detailed=0 halo_max=0 walked=1
for name in "${pictures[@]}"; do
  read -r pw ph px py < <(box "$dir/backdrop-2.png" "$dir/$name.png")
  [ -n "${pw:-}" ] || { log "$name: no figure"; continue; }
  read -r rows cols < <(odd_steps "$dir/backdrop-2.png" "$dir/$name.png" "$pw" "$ph" "$px" "$py")
  halo2=$(halo "$dir/backdrop-2.png" "$dir/$name.png" "$pw" "$ph" "$px" "$py")
  # Its box from an even corner, whole 2x2 blocks.
  fine=$(detail "$dir/$name.png" $(((pw + 3) / 2 * 2)) $(((ph + 3) / 2 * 2)) $((px / 2 * 2)) $((py / 2 * 2)))
  log "$name: the figure ${pw}x$ph at $px,$py; $rows row pairs and $cols column pairs differ; $halo2 pixels half-way; $fine pixels of finer detail than scale 1"
  [ "$rows" -gt 0 ] && [ "$cols" -gt 0 ] && stepping=$((stepping + 1))
  [ "$fine" -ge $((pw * ph / 20)) ] && detailed=$((detailed + 1))
  [ "$halo2" -gt "$halo_max" ] && halo_max=$halo2
  [ "$name" != rest-2 ] && [ "$px" -lt $((x - 10)) ] && walked=0
done
check $walked walks "the figure left of $x in the last pictures"
[ "$stepping" -eq ${#pictures[@]} ]
check $? one-device-pixel-steps "$stepping of ${#pictures[@]} pictures have outline steps of one device pixel across and down"
# Crisp: drawn at scale 2 (detail finer than scale 1 in at least 5% of the
# box), and not smoothed from scale 1: the edge is twice as long in device
# pixels, so twice the half-way pixels, and a little more for the art's own
# in-between colours.
[ "$detailed" -eq ${#pictures[@]} ] && [ "$halo_max" -le $((2 * halo1 + 24)) ]
check $? crisp "$detailed of ${#pictures[@]} pictures with detail finer than scale 1; at most $halo_max pixels half-way to the backdrop at scale 2, $halo1 at scale 1"

grep -v "^$" /tmp/toy.log | grep -v "^\[" | sed "s/^/toy: /"
cp /tmp/toy.log "$dir/toy.log"
kill "$toy_pid" 2>/dev/null
log "result: ${results[*]}"
[[ " ${results[*]} " != *=no* ]]
