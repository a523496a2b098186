#!/usr/bin/env bash
# The ring's desktop notification on a notification daemon (dunst): the program's name, the
# reminder as typed (markup shown as text), critical, with "Stop"; its Stop silences the ring
# heard on the sound server, the window's Stop withdraws it, its "Snooze 10 minutes" silences
# the ring and arms ten minutes at once, a click on it shows the window;
# the daemon's signals forged by another client of the bus neither stop the ring nor take the
# real Stop away; without a daemon the alarm rings as before.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
start_app "$1"
typed='<b>Tea</b> & cake'
click Label7
wait_for 5 xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "no input box"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" | head -n1)"
xdotool type -- "$typed"
xdotool key Return
wait_for 5 not has_output xdotool search --onlyvisible --name "^$PROGRAM_TITLE$" || fail "the input box did not close"
type_into Text2_2 2

notice_count() { grep -c . "$WORK/notifications.log" || true; }
more_notices_than() { [ "$(notice_count)" -gt "$1" ]; }
rings_then() { # seconds to the ring; leaves RANG_AT, the moment it was first heard
  local before
  before=$(notice_count)
  arm
  RANG_AT=$(heard_first_after "$ARMED_AT" $(($1 + 3)))
  [ -n "$RANG_AT" ] || fail "the alarm was not heard"
  wait_for 3 more_notices_than "$before" || fail "no notification at the ring ($(cat "$WORK/notifications.log"))"
  wait_for 3 output_is 1 notifications_displayed || fail "dunst shows $(notifications_displayed) notifications"
}
# Arms, hides the window by the icon, and waits for the ring: its notification posted, the
# window back minimized.
rings_hidden() {
  local before
  before=$(notice_count)
  arm
  click_icon 1 2
  wait_for 3 window_hidden || fail "the icon's double-click did not hide the window (WM_STATE $(wm_state))"
  wait_for 6 more_notices_than "$before" || fail "no notification at the ring"
  wait_for 2 window_minimized || fail "hidden by the icon, the ring brought the window back as $(wm_state)"
}
silent_within() { # moment, seconds
  sleep 2
  between 0 "$(heard_last)" "$(plus "$1" "$2")" || fail "sound went on $(seconds_between "$1" "$(heard_last)") s after $3"
}

# Any client of the session bus may send a signal in the daemon's name and path; only the
# daemon's own may act. Sent for every id the daemon could have given ours.
forge() { # signal, its arguments after the id
  local id
  for id in $(seq 20); do
    dbus-send --session --type=signal /org/freedesktop/Notifications "org.freedesktop.Notifications.$1" "uint32:$id" "${@:2}"
  done
}

rings_then 2
forge ActionInvoked string:stop
forged_at=$(now)
[ -n "$(heard_first_after "$(plus "$forged_at" 1)" 2)" ] || fail "a forged ActionInvoked \"stop\" silenced the ring"
[ "$(notifications_displayed)" = 1 ] || fail "after a forged ActionInvoked dunst shows $(notifications_displayed) notifications"
[ "$(notice_count)" = 1 ] || fail "posted again at later ticks: $(cat "$WORK/notifications.log")"
screenshot journey-ring-notice
IFS=$'\t' read -r _ app summary body urgency entry <"$WORK/notifications.log"
{ [ "$app" = "$PROGRAM_TITLE" ] && [ "$summary" = "$PROGRAM_TITLE" ]; } || fail "named $app / $summary"
# dunst reads markup in every body, and gives its scripts the body as sent: the typed text
# escaped, which it shows as typed.
[ "$body" = '&lt;b&gt;Tea&lt;/b&gt; &amp; cake' ] || fail "body sent as: $body"
[ "$urgency" = CRITICAL ] || fail "urgency $urgency"
[ "$entry" = "$DESKTOP_ID" ] || fail "desktop entry $entry"
# Forged closes first: the program must not take them for the daemon's and forget its notification.
forge NotificationClosed uint32:2
notification_action Stop
stopped_at=$(now)
silent_within "$stopped_at" 1 "the notification's Stop"
[ "$(notifications_displayed)" = 0 ] || fail "the notification stayed after its Stop"
echo "ok: one notification at the ring, as typed and critical; forged signals ignored; its Stop silenced the ring"

rings_then 2
click Stopp
stopped_at=$(now)
wait_for 1 output_is 0 notifications_displayed || fail "the window's Stop left the notification up"
silent_within "$stopped_at" 0.5 "the window's Stop"
echo "ok: the window's Stop withdrew the notification"

rings_then 2
notification_action "Snooze 10 minutes"
snoozed_at=$(now)
silent_within "$snoozed_at" 1 "the notification's Snooze"
wait_for 1 output_is 0 notifications_displayed || fail "the notification's Snooze left it up"
# Armed again at once, as a screen reader reads the window: ten minutes set, counting.
wait_for 2 has_output accessible_names_matching $'label\t600' \
  || fail "after Snooze the window does not show 600 seconds set: $(accessible_names | tr '\n' ' ')"
click Stopp
type_into Text2_1 0 # the boxes say ten minutes since the Snooze
echo "ok: the notification's Snooze silenced the ring and armed ten minutes at once"

type_into Text2_2 3
rings_hidden
notification_action Show
wait_for 3 window_shown || fail "a click on the notification did not show the window (WM_STATE $(wm_state))"
wait_for 3 output_is "$APP_WINDOW" active_window || fail "shown from the notification, the window did not get the focus"
sleep 0.5 # as a user looks before a click: the window just came back, not yet drawn
click Stopp
silent_within "$(now)" 0.5 "the window's Stop"
echo "ok: the notification's click showed the window"

# Dismissed while the ring goes on (a click on its body closes it on some desktops, with no
# action): the window comes back as for the notification's own click.
rings_hidden
dunstctl close
wait_for 3 window_shown || fail "the dismissed notification left the window $(wm_state)"
sleep 0.5
click Stopp
silent_within "$(now)" 0.5 "the window's Stop"
echo "ok: the notification dismissed during the ring showed the window"

stop_part notification-daemon
type_into Text2_2 2
arm
first=$(heard_first_after "$ARMED_AT" 5)
[ -n "$first" ] || fail "without a daemon the alarm was not heard"
between "$(plus "$ARMED_AT" 2)" "$first" "$(plus "$ARMED_AT" 3)" || fail "without a daemon: heard at $first, armed at $ARMED_AT"
window_shown || fail "without a daemon the ring did not show the window"
click Stopp
stopped_at=$(now)
silent_within "$stopped_at" 0.5 "Stop without a daemon"
echo "ok: without a daemon the alarm rang on time and stopped"

# A daemon that shows no buttons (python-dbusmock's, with its own capabilities, which lack
# "actions"): the text says how to stop the ring. Run from the build folder, where no icon
# theme holds the program's icon, the picture goes along.
/usr/bin/python3 -m dbusmock --template notification_daemon --logfile "$WORK/mock-notify.log" \
  >/dev/null 2>&1 &
remember_part mock-notification-daemon $!
wait_for 5 bus_name_owned org.freedesktop.Notifications || fail "the mock notification daemon did not start"
arm
wait_for 5 grep -q "Notify " "$WORK/mock-notify.log" || fail "no notification posted to a daemon without buttons: $(head -c 600 "$WORK/mock-notify.log")"
notify=$(cat "$WORK/mock-notify.log")
[[ $notify == *'&lt;b&gt;Tea&lt;/b&gt; &amp; cake'$'\n''To stop the alarm, press Stop in its window."'* ]] \
  || fail "without buttons, the body did not say how to stop: ${notify:0:300}"
[[ $notify == *'"image-data"'* ]] || fail "the icon's picture did not go along: ${notify:0:300}"
click Stopp
kill "$APP_PID"
echo "ok: a daemon without buttons is told how to stop the ring, with the program's picture"
