# Sourced by wayland-check.sh inside its namespaces, after the desktop and
# its input: two 1024x768 outputs side by side, HEADLESS-2 on the left and
# HEADLESS-1 on the right. The toy walks from the right one onto the left
# one, and a drag carries it back; in every picture taken on the way the
# figure shows once: never gone, never less than half of it (its surface
# belongs to the output that shows most of it), never twice.
# Exits 0 when every check holds.

results=()
check() { # status name detail
  log "check $2: $([ "$1" -eq 0 ] && echo yes || echo NO) ($3)"
  results+=("$2=$([ "$1" -eq 0 ] && echo yes || echo no)")
}

swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 resolution 1024x768 pos 0 0 >/dev/null
swaymsg output HEADLESS-1 pos 1024 0 >/dev/null
sleep 0.5
log "outputs: $(swaymsg -t get_outputs | jq -rc '[.[] | "\(.name) \(.rect.width)x\(.rect.height)+\(.rect.x)+\(.rect.y)"] | join(", ")')"
vp extent 2048 768
park_at="2040 760"
park
shot "$dir/empty.png"
reference=$dir/empty.png
# The whole layout in one quick picture, for many in a row.
quick() { # picture [geometry]
  nobody sh -c "WAYLAND_DISPLAY=\$(basename $WAYLAND_DISPLAY) grim ${2:+-g '$2'} -t ppm /tmp/sway-run/quick.ppm" &&
    mv /tmp/sway-run/quick.ppm "$1"
}
where() { park && quick /tmp/where.ppm && box "$reference" /tmp/where.ppm; }

launch_toy
shown() { [ -n "$(where)" ]; }
within 15 shown || { log "the toy did not show"; cat /tmp/toy.log; exit 1; }
sleep 0.5
read -r w h x y < <(where)
log "the toy shows ${w}x$h at $x,$y"

# Dragged to 30 px right of the seam, in steps, and let go.
drag() { # from-x from-y by-x steps pictures-prefix
  local i
  vp move "$1" "$2" && vp press 1
  for i in $(seq "$4"); do
    vp move $(($1 + $3 * i / $4)) "$2" && sleep 0.05
    [ -n "${5:-}" ] && quick "/tmp/$5-$i.ppm" "0,$band_top 2048x200"
  done
  vp release 1
  sleep 0.3
}
drag $((x + 37)) $((y + 38)) $((1024 + 30 - x)) 8
read -r w h x y < <(where)
[ -n "${x:-}" ] && [ "$x" -ge 1024 ] && [ "$x" -le $((1024 + 32)) ]
check $? dragged-right "the figure ${w:-}x${h:-} at ${x:-},${y:-}, wanted by the seam at 1054"
start_x=${x:-1054}

# Seen many times over while it walks across the seam.
# Only the band of rows the toy walks in is compared: quicker.
band() { # top
  band_top=$(($1 < 50 ? 0 : $1 - 50))
  convert "$reference" -crop "2048x200+0+$band_top" +repage /tmp/band-reference.png
}
shown_once() { # picture: one figure, at least half of it, within the toy's size
  local fw fh fx fy
  read -r fw fh fx fy < <(box /tmp/band-reference.png "$1")
  fy=$((${fy:-0} + band_top))
  echo "${fw:-0}x${fh:-0}+${fx:-}+${fy:-}"
  [ -n "${fw:-}" ] && [ "$fw" -ge 30 ] && [ "$fw" -le 70 ] && [ "$fh" -ge 60 ] && [ "$fh" -le 96 ]
}
seam_check() { # prefix count: every picture shows the figure once; sets seen, bad, xs
  local i
  bad=0 seen=0 xs=
  for i in $(seq "$2"); do
    [ -f "/tmp/$1-$i.ppm" ] || continue
    seen=$((seen + 1))
    if ! fig=$(shown_once "/tmp/$1-$i.ppm"); then
      bad=$((bad + 1))
      convert "/tmp/$1-$i.ppm" "$dir/$1-$i.png" 2>/dev/null
    fi
    xs="$xs $fig"
  done
}
band "$y"
vp move $((start_x + 37)) $((y + 38)) && vp press 1
for _ in 1 2 3; do vp press 3 && vp release 3 && sleep 0.1; done
vp release 1
park
i=0
# The crossing comes within the first two seconds, at 60 px a second.
end=$((SECONDS + 3))
while [ $SECONDS -lt $end ]; do
  i=$((i + 1))
  quick "/tmp/walk-$i.ppm" "0,$band_top 2048x200"
done
sleep 2
seam_check walk $i
log "walking, $seen pictures: $xs"
read -r w h x y < <(where)
log "after the walk: ${w:-}x${h:-} at ${x:-},${y:-}"
[ $bad -eq 0 ] && [ -n "${x:-}" ] && [ $((x + w)) -le 1024 ]
check $? walks-across "$bad of $seen pictures without the figure once; then ${w:-}x${h:-} at ${x:-},${y:-}, wanted left of the seam"

# Dragged back, 150 px right, pictures at every step.
drag $((x + 37)) $((y + 38)) 150 10 drag
seam_check drag 10
log "dragging, $seen pictures: $xs"
read -r w h x y < <(where)
[ $bad -eq 0 ] && [ -n "${x:-}" ] && [ "$x" -ge 1024 ] && [ "$w" -ge 60 ]
check $? dragged-back "$bad of $seen pictures without the figure once; it ended ${w:-}x${h:-} at ${x:-},${y:-}, right of the seam"
park
shot "$dir/end.png"

grep -v "^$" /tmp/toy.log | grep -v "^\[" | sed "s/^/toy: /"
cp /tmp/toy.log "$dir/toy.log"
kill "$toy_pid" 2>/dev/null
log "result: ${results[*]}"
[[ " ${results[*]} " != *=no* ]]
