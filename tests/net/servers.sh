#!/usr/bin/env bash
# Starts or stops the loopback servers of the network tests: our Python test servers (HTTP, TLS,
# silent, broken and stalling POP3), tinyproxy and dovecot (POP3 on 18410, POP3 over TLS on 995).
# A test CA and a server certificate for "localhost" are made with openssl on every start.
# Usage: servers.sh start|stop      (needs NARRIX_TEST_RUNTIME, as scripts/test.sh exports it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${NARRIX_TEST_RUNTIME:?run the tests through scripts/test.sh}"
dir="$NARRIX_TEST_RUNTIME/net"

wait_for_port() {
  for _ in $(seq 1 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; then return 0; fi
    sleep 0.1
  done
  echo "nothing listens on port $1" >&2
  return 1
}

stop_pidfile() {
  local file=$1
  [ -f "$file" ] || return 0
  local pid
  pid=$(cat "$file")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  rm -f "$file"
}

make_certificates() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Narrix Test CA" \
    -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
  openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
    -keyout "$dir/server.key" -out "$dir/server.csr" 2>/dev/null
  printf 'subjectAltName=DNS:localhost\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' > "$dir/ext.cnf"
  openssl x509 -req -in "$dir/server.csr" -CA "$dir/ca.pem" -CAkey "$dir/ca.key" -CAcreateserial \
    -days 2 -extfile "$dir/ext.cnf" -out "$dir/server.pem" 2>/dev/null
  chmod 644 "$dir/server.pem" "$dir/server.key" "$dir/ca.pem"
}

start_tinyproxy() {
  local td="$dir/tinyproxy"
  mkdir -p "$td"
  chown nobody:nogroup "$td"
  cat > "$td/tinyproxy.conf" <<CONF
User nobody
Group nogroup
Port 18488
Listen 127.0.0.1
Timeout 60
Allow 127.0.0.1
MaxClients 20
LogFile "$td/tinyproxy.log"
LogLevel Info
PidFile "$td/tinyproxy.pid"
ConnectPort 18482
CONF
  # Daemons must not keep the test runner's output open, or ctest waits for them.
  tinyproxy -c "$td/tinyproxy.conf" </dev/null >"$td/stdout.log" 2>&1
  wait_for_port 18488
  for _ in $(seq 1 50); do [ -s "$td/tinyproxy.pid" ] && break; sleep 0.1; done
  cp "$td/tinyproxy.pid" "$NARRIX_TEST_RUNTIME/net-tinyproxy.pid"
}

# add_mailbox USER FOLDER: a maildir for USER holding the .eml files of FOLDER.
add_mailbox() {
  local user=$1 folder=$2 n=0
  mkdir -p "$dd/mail/$user/new" "$dd/mail/$user/cur" "$dd/mail/$user/tmp"
  echo "$user:{PLAIN}secret" >> "$dd/users"
  for message in "$folder"/*.eml; do
    [ -f "$message" ] || continue
    n=$((n + 1))
    # Maildir names sort in arrival order; lines end in CR LF as on the wire.
    sed 's/$/\r/' "$message" > "$dd/mail/$user/new/100000000$n.M${n}P1.narrix"
  done
}

start_dovecot() {
  # Mail processes run as nobody, which cannot enter the private runtime folder: dovecot gets a
  # folder of its own in /tmp, removed again by stop.
  local dd # add_mailbox sees it too
  dd=$(mktemp -d /tmp/narrix-dovecot.XXXXXX)
  chmod 755 "$dd"
  echo "$dd" > "$dir/dovecot.dir"
  mkdir -p "$dd/run" "$dd/state"
  cp "$dir/server.pem" "$dir/server.key" "$dd/"
  : > "$dd/users"
  # "tester" holds tests/net/mailbox; every folder under tests/net/mailboxes is a user of its own
  # ("empty", "single", "three"), all with the password "secret".
  add_mailbox tester "$here/mailbox"
  for folder in "$here"/mailboxes/*/; do
    add_mailbox "$(basename "$folder")" "$folder"
  done
  chown -R nobody:nogroup "$dd/mail"
  cat > "$dd/dovecot.conf" <<CONF
protocols = pop3
listen = 127.0.0.1
base_dir = $dd/run
state_dir = $dd/state
log_path = $dd/dovecot.log
ssl = yes
ssl_cert = <$dd/server.pem
ssl_key = <$dd/server.key
disable_plaintext_auth = no
auth_mechanisms = plain
mail_location = maildir:$dd/mail/%u
pop3_uidl_format = %08Xu%08Xv
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dd/users
}
userdb {
  driver = static
  args = uid=nobody gid=nogroup home=$dd/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = 18410
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = 995
    ssl = yes
  }
}
CONF
  dovecot -c "$dd/dovecot.conf" </dev/null >"$dd/stdout.log" 2>&1
  wait_for_port 18410
  for _ in $(seq 1 50); do [ -s "$dd/run/master.pid" ] && break; sleep 0.1; done
  cp "$dd/run/master.pid" "$NARRIX_TEST_RUNTIME/net-dovecot.pid"
}

start_python() {
  rm -f "$dir/servers.ready"
  setsid python3 "$here/test_servers.py" "$dir" "$dir/server.pem" "$dir/server.key" \
    </dev/null >"$dir/servers.log" 2>&1 &
  for _ in $(seq 1 100); do [ -f "$dir/servers.ready" ] && break; sleep 0.1; done
  [ -f "$dir/servers.ready" ] || { cat "$dir/servers.log" >&2; return 1; }
  cp "$dir/servers.pid" "$NARRIX_TEST_RUNTIME/net-servers.pid"
}

stop_all() {
  # All three at once: dovecot alone takes a few seconds to go.
  stop_pidfile "$NARRIX_TEST_RUNTIME/net-servers.pid" &
  stop_pidfile "$NARRIX_TEST_RUNTIME/net-tinyproxy.pid" &
  stop_pidfile "$NARRIX_TEST_RUNTIME/net-dovecot.pid" &
  wait
  if [ -f "$dir/dovecot.dir" ]; then
    rm -rf "$(cat "$dir/dovecot.dir")"
    rm -f "$dir/dovecot.dir"
  fi
}

case "${1:-}" in
  start)
    stop_all
    mkdir -p "$dir"
    make_certificates
    start_python
    start_tinyproxy
    start_dovecot
    ;;
  stop)
    stop_all
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
