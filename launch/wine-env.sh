# The environment of every Wine that Zettly's scripts start; each of them sources this file from
# beside itself (the launcher's copy too, in the data folder of "./zettly run").
# Wine's own messages only when someone asks for them.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono, no Gecko, and no menu entries or file associations on the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Under the C locale Wine cannot create a file whose name has a non-ASCII letter.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
