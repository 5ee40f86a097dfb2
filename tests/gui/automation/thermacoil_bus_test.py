#!/usr/bin/env python3
"""The automation server of the built program on a private session bus.

    thermacoil_bus_test.py VANTOR [BUILD_DIR]

Runs itself again inside dbus-run-session, with private settings, data and runtime folders
(XDG_DATA_HOME is set before the bus starts, so the bus finds an activation file written
there). Each case starts "vantor -automation" (offscreen) and makes sure that no copy of the
program outlives it. Cases: a python3-dbus client holding its connection (the automation
object's edge cases, two objects sharing one document, refused puts that change nothing);
warnings, the solved flag, corrected air and refused releases; one-shot gdbus calls on
/Thermacoil; a client that leaves the bus without releasing; the
idle end; a second copy; activation by the bus after -regserver (also from a folder whose
path holds a quote, a blank and a dollar), -unregserver leaving what it did not write, and the
installed file.
"""

import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

SERVICE = "com.korvane.Vantor"
ROOT = "/Thermacoil"
FACTORY = "com.korvane.Vantor.ThermacoilFactory"
THERMACOIL = "com.korvane.Vantor.IThermacoil"
PROPERTIES = "org.freedesktop.DBus.Properties"
FAILED = "com.korvane.Vantor.Error.Failed"
STARTUP_SECONDS = 30
END_SECONDS = 15

VANTOR = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ""
BUILD_DIR = sys.argv[2] if len(sys.argv) > 2 else ""


# ---- Moist air by the ASHRAE Handbook Fundamentals (2017) relations, for reference ----

def saturation_pressure(t):
    """Over liquid water (Hyland-Wexler), kPa at t in deg C."""
    T = t + 273.15
    ln_p = (-5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T ** 2
            - 1.4452093e-8 * T ** 3 + 6.5459673 * math.log(T))
    return math.exp(ln_p) / 1000


def humidity_ratio(db, wb, pressure):
    """The psychrometer equation above freezing, kg/kg."""
    ws = 0.621945 * saturation_pressure(wb) / (pressure - saturation_pressure(wb))
    return ((2501 - 2.326 * wb) * ws - 1.006 * (db - wb)) / (2501 + 1.86 * db - 4.186 * wb)


def wet_bulb(db, w, pressure):
    low, high = -20.0, db
    for _ in range(200):
        mid = (low + high) / 2
        if humidity_ratio(db, mid, pressure) > w:
            high = mid
        else:
            low = mid
    return (low + high) / 2


def density(db, w, pressure):
    v = 0.287042 * (db + 273.15) * (1 + 1.607858 * w) / pressure
    return (1 + w) / v


# ---- The program under test ----

def bus_names():
    out = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                          "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.ListNames"],
                         capture_output=True, text=True, timeout=10).stdout
    return out


def service_owned():
    return f"'{SERVICE}'" in bus_names()


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


class Server:
    """vantor -automation, started by a case and never left running after it."""

    def __init__(self, idle_seconds=None, switch="-automation", **environment):
        env = dict(os.environ, **environment)
        if idle_seconds is not None:
            env["VANTOR_AUTOMATION_IDLE_SECONDS"] = str(idle_seconds)
        self.process = subprocess.Popen([VANTOR, switch], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        text=True)
        if not wait_until(lambda: service_owned() or self.process.poll() is not None, STARTUP_SECONDS):
            self.stop()
            raise AssertionError("vantor did not take the service name")
        if self.process.poll() is not None:
            raise AssertionError(f"vantor ended at start-up: {self.process.communicate()}")

    def wait_end(self, seconds=END_SECONDS):
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        if not hasattr(self, "stderr_text"):
            self.stderr_text = self.process.communicate(timeout=10)[1]


def gdbus(*arguments, path=ROOT):
    return subprocess.run(["gdbus", "call", "--session", "--dest", SERVICE, "--object-path", path, *arguments],
                          capture_output=True, text=True, timeout=30)


def settings_value(key):
    """A value the program stored in its settings file, or None."""
    name = os.path.join(os.environ["XDG_CONFIG_HOME"], "Korvane", "Vantor.ini")
    if not os.path.exists(name):
        return None
    with open(name, encoding="utf-8") as file:
        for line in file:
            if line.split("=", 1)[0].strip() == key:
                return line.split("=", 1)[1].strip()
    return None


class ThermacoilBusTest(unittest.TestCase):
    def setUp(self):
        import dbus  # python3-dbus
        self.dbus = dbus
        shutil.rmtree(os.environ["XDG_CONFIG_HOME"], ignore_errors=True)
        self.servers = []
        self.connections = []
        self.activated = []  # process ids of programs the bus started

    def tearDown(self):
        for connection in self.connections:
            connection.close()
        for server in self.servers:
            server.stop()
        for pid in self.activated:
            self.kill_left(pid)
        # No copy of the program outlives a case, however it was started.
        self.assertTrue(wait_until(lambda: not service_owned(), END_SECONDS), "a vantor is still on the bus")

    def start(self, **options):
        server = Server(**options)
        self.servers.append(server)
        return server

    def connect(self):
        connection = self.dbus.SessionBus(private=True)
        self.connections.append(connection)
        return connection

    def instance(self, connection):
        factory = self.dbus.Interface(connection.get_object(SERVICE, ROOT), FACTORY)
        path = factory.CreateInstance()
        obj = connection.get_object(SERVICE, path)
        return path, self.dbus.Interface(obj, PROPERTIES), self.dbus.Interface(obj, THERMACOIL), factory

    def test_client_holding_its_connection(self):
        server = self.start()
        bus = self.connect()
        path, props, coil, factory = self.instance(bus)
        self.assertEqual(path, "/Thermacoil/1")

        # Model, fluid inlet, solve: the duty returned is the duty read.
        props.Set(THERMACOIL, "Model", "544 720 4r 12f 7c")
        props.Set(THERMACOIL, "WaterOn", self.dbus.Double(80))
        duty = coil.Solve()
        self.assertGreater(duty, 1)
        self.assertEqual(duty, props.Get(THERMACOIL, "Qt"))
        self.assertEqual(props.Get(THERMACOIL, "CalcState"), 0)
        # The designation as the coil writes it ("544 x 720  4r ...").
        self.assertEqual(props.Get(THERMACOIL, "Model").replace(" x ", " ").split(), "544 720 4r 12f 7c".split())

        # A new dry bulb keeps the moisture content; the wet bulb follows.
        pressure = 101.325  # a first run's barometer
        w = humidity_ratio(props.Get(THERMACOIL, "DBon"), props.Get(THERMACOIL, "WBon"), pressure)
        props.Set(THERMACOIL, "DBon", self.dbus.Int32(20))
        self.assertEqual(props.Get(THERMACOIL, "DBon"), 20)
        self.assertAlmostEqual(props.Get(THERMACOIL, "WBon"), wet_bulb(20, w, pressure), delta=0.02)

        # Air volume to mass flow at the on-coil density.
        props.Set(THERMACOIL, "InletAirFlow", 2.0)
        wb = props.Get(THERMACOIL, "WBon")
        expected = 2 * density(20, humidity_ratio(20, wb, pressure), pressure)
        self.assertAlmostEqual(props.Get(THERMACOIL, "AirMassFlow") / expected, 1, delta=1e-4)
        self.assertAlmostEqual(props.Get(THERMACOIL, "InletAirFlow"), 2.0, places=9)

        # A second object shares the one document.
        second_path, second, _, _ = self.instance(bus)
        self.assertEqual(second_path, "/Thermacoil/2")
        second.Set(THERMACOIL, "WaterFlow", 1.25)
        self.assertEqual(props.Get(THERMACOIL, "WaterFlow"), 1.25)
        props.Set(THERMACOIL, "AirFaceVelocity", 2.5)
        self.assertAlmostEqual(second.Get(THERMACOIL, "AirFaceVelocity"), 2.5, places=9)
        self.assertEqual(len(props.GetAll(THERMACOIL)), 13)

        # Refused puts fail with the refusal's message and change nothing.
        before = props.GetAll(THERMACOIL)
        for name, value in (("Model", "544 720 4x"), ("WaterOn", self.dbus.Double(float("nan"))),
                            ("DBon", self.dbus.Double(float("inf")))):
            with self.assertRaises(self.dbus.exceptions.DBusException) as refused:
                second.Set(THERMACOIL, name, value)
            self.assertEqual(refused.exception.get_dbus_name(), FAILED)
            self.assertTrue(refused.exception.get_dbus_message().startswith(name + ":"))
        self.assertEqual(props.GetAll(THERMACOIL), before)

        # Releasing the last object of an automation start ends the program, settings stored.
        factory.Release(second_path)
        self.assertIsNone(server.wait_end(1))
        factory.Release(path)
        self.assertEqual(server.wait_end(), 0)
        self.assertEqual(float(settings_value("WaterIn")), 80)

    def test_warnings_solved_and_refusals(self):
        server = self.start()
        bus = self.connect()
        path, props, coil, factory = self.instance(bus)
        self.assertEqual(props.Get(THERMACOIL, "Solved"), False)
        coil.Solve()
        self.assertEqual(props.Get(THERMACOIL, "Solved"), True)

        # Fluid entering below the on-coil dew point of 25/17 (about 12.4 deg C) is not rated;
        # the error says why, as the status line does.
        props.Set(THERMACOIL, "WaterOn", 8.0)
        self.assertEqual(props.Get(THERMACOIL, "Solved"), False)
        with self.assertRaises(self.dbus.exceptions.DBusException) as failed:
            coil.Solve()
        self.assertEqual(failed.exception.get_dbus_name(), FAILED)
        message = failed.exception.get_dbus_message()
        self.assertTrue(message.startswith("Data Error...: "), message)
        self.assertIn("below the on-coil dew point", message)
        warnings = props.Get(THERMACOIL, "Warnings")
        self.assertEqual(warnings.signature, "s")
        self.assertTrue(any(w in message for w in warnings), warnings)
        self.assertEqual(props.Get(THERMACOIL, "Solved"), False)

        # Kept moisture of 25/17 is more than air of 0 deg C holds: the wet bulb is held to the
        # dry bulb, as the on-coil row holds it, and the correction is listed.
        props.Set(THERMACOIL, "WaterOn", 80.0)
        coil.Solve()
        props.Set(THERMACOIL, "DBon", 0.0)
        self.assertEqual(props.Get(THERMACOIL, "DBon"), 0)
        self.assertEqual(props.Get(THERMACOIL, "WBon"), 0)
        corrections = [w for w in props.Get(THERMACOIL, "Warnings") if w.startswith("DBon: ")]
        self.assertEqual(len(corrections), 1, corrections)
        self.assertIn("is above the dry bulb; 0 \u00b0C used", corrections[0])
        self.assertEqual(props.Get(THERMACOIL, "Solved"), False)

        # A value no row takes is rated as given, and warned about.
        props.Set(THERMACOIL, "AirFaceVelocity", 10000.0)
        self.assertEqual(props.Get(THERMACOIL, "AirFaceVelocity"), 10000)
        coil.Solve()
        self.assertEqual(props.Get(THERMACOIL, "CalcState"), 0)
        self.assertTrue(any(w.startswith("Air Velocity 10000.00 m/s is outside its row's range")
                            for w in props.Get(THERMACOIL, "Warnings")))

        # Another connection may not release our object; it lives on, and so does the program.
        other = self.connect()
        other_factory = self.dbus.Interface(other.get_object(SERVICE, ROOT), FACTORY)
        with self.assertRaises(self.dbus.exceptions.DBusException) as refused:
            other_factory.Release(path)
        self.assertEqual(refused.exception.get_dbus_name(), FAILED)
        self.assertEqual(refused.exception.get_dbus_message(), f"{path} belongs to another client")
        self.assertEqual(props.Get(THERMACOIL, "DBon"), 0)
        self.assertIsNone(server.process.poll())

        # A fluid inlet no row takes is stored at the row's limit.
        props.Set(THERMACOIL, "WaterOn", -5.0)
        factory.Release(path)
        self.assertEqual(server.wait_end(), 0)
        self.assertEqual(float(settings_value("WaterIn")), 5)

    def test_gdbus_one_shot_calls(self):
        server = self.start()
        put = gdbus("--method", f"{PROPERTIES}.Set", THERMACOIL, "WaterOn", "<80>")
        self.assertEqual(put.returncode, 0, put.stderr)
        self.assertEqual(gdbus("--method", f"{PROPERTIES}.Get", THERMACOIL, "WaterOn").stdout.strip(), "(<80.0>,)")
        solved = gdbus("--method", f"{THERMACOIL}.Solve")
        self.assertEqual(solved.returncode, 0, solved.stderr)
        duty = float(solved.stdout.strip().strip("(),"))
        qt = gdbus("--method", f"{PROPERTIES}.Get", THERMACOIL, "Qt").stdout.strip()
        self.assertEqual(float(qt.strip("(<>,)")), duty)
        refused = gdbus("--method", f"{PROPERTIES}.Set", THERMACOIL, "Model", "<'544 720 4x'>")
        self.assertNotEqual(refused.returncode, 0)
        self.assertIn(FAILED, refused.stderr)
        # The introspection data carries the dispatch numbers.
        introspection = subprocess.run(["gdbus", "introspect", "--session", "--dest", SERVICE, "--object-path", ROOT],
                                       capture_output=True, text=True, timeout=30).stdout
        self.assertIn('@com.korvane.Vantor.DispatchId("205")', introspection)
        self.assertIn("readwrite d WaterOn", introspection)
        self.assertIn("readonly as Warnings", introspection)
        self.assertIn("readonly b Solved", introspection)
        if shutil.which("busctl"):
            got = subprocess.run(["busctl", "--user", "get-property", SERVICE, ROOT, THERMACOIL, "WaterOn"],
                                 capture_output=True, text=True, timeout=30)
            self.assertEqual(got.stdout.strip(), "d 80", got.stderr)
        # An object made by a one-shot client dies with its connection: the last one of an
        # automation start, so the program ends.
        made = gdbus("--method", f"{FACTORY}.CreateInstance")
        self.assertEqual(made.stdout.strip(), "(objectpath '/Thermacoil/1',)")
        self.assertEqual(server.wait_end(), 0)

    def test_client_leaving_without_release(self):
        server = self.start()
        bus = self.connect()
        path, props, _, _ = self.instance(bus)
        child = subprocess.run([sys.executable, "-c", f"""
import dbus
bus = dbus.SessionBus()
path = dbus.Interface(bus.get_object('{SERVICE}', '{ROOT}'), '{FACTORY}').CreateInstance()
dbus.Interface(bus.get_object('{SERVICE}', path), '{PROPERTIES}').Set('{THERMACOIL}', 'WaterOn', 77.0)
print(path)
"""], capture_output=True, text=True, timeout=30)
        self.assertEqual(child.stdout.strip(), "/Thermacoil/2", child.stderr)
        # Its object went with it; ours lives on, and so does the program.
        gone = self.dbus.Interface(bus.get_object(SERVICE, "/Thermacoil/2", introspect=False), PROPERTIES)
        self.assertTrue(wait_until(lambda: self.fails_unknown(gone), 10))
        self.assertEqual(props.Get(THERMACOIL, "WaterOn"), 77)
        self.assertIsNone(server.process.poll())
        # Our connection goes too: no object is left and the program ends.
        bus.close()
        self.connections.remove(bus)
        self.assertEqual(server.wait_end(), 0)
        self.assertEqual(float(settings_value("WaterIn")), 77)

    def fails_unknown(self, props):
        try:
            props.Get(THERMACOIL, "Qt")
        except self.dbus.exceptions.DBusException as error:
            return error.get_dbus_name() == "org.freedesktop.DBus.Error.UnknownObject"
        return False

    def test_idle_end(self):
        server = self.start(idle_seconds=1)
        started = time.monotonic()
        self.assertEqual(server.wait_end(), 0)
        self.assertGreater(time.monotonic() - started, 0.5)

    def test_unattended_start_answers_its_message_boxes(self):
        # Without its catalogue the document warns at creation; nobody can press OK.
        with tempfile.TemporaryDirectory() as empty:
            server = self.start(VANTOR_MAKER_ROOT=empty)
            self.assertEqual(gdbus("--method", f"{PROPERTIES}.Get", THERMACOIL, "CalcState").returncode, 0)
            server.stop()
        self.assertIn("no matching coils", server.stderr_text)

    def test_second_copy(self):
        self.start()
        second = subprocess.run([VANTOR, "/Embedding"], capture_output=True, text=True, timeout=STARTUP_SECONDS)
        self.assertNotEqual(second.returncode, 0)
        self.assertIn(SERVICE, second.stderr)

    def register_and_activate(self, program):
        """-regserver from program, a first call that starts it through the bus, -unregserver;
        returns the Exec line written."""
        data_home = os.environ["XDG_DATA_HOME"]
        service_file = os.path.join(data_home, "dbus-1", "services", SERVICE + ".service")
        registered = subprocess.run([program, "-RegServer"], capture_output=True, text=True, timeout=30)
        self.assertEqual(registered.returncode, 0, registered.stderr)
        with open(service_file, encoding="utf-8") as file:
            exec_lines = [line for line in file.read().splitlines() if line.startswith("Exec=")]
        # The bus may hold an earlier case's file of the same name: it reads the folder again.
        subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                        "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.ReloadConfig"],
                       capture_output=True, timeout=10, check=True)
        self.assertFalse(service_owned())
        try:
            # The first call starts the program.
            got = gdbus("--method", f"{PROPERTIES}.Get", THERMACOIL, "CalcState")
            self.assertEqual(got.returncode, 0, got.stderr)
            self.assertTrue(service_owned())
            bus = self.connect()
            pid = int(bus.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                        "GetConnectionUnixProcessID", "s", (SERVICE,)))
            self.activated.append(pid)
            self.assertEqual(os.readlink(f"/proc/{pid}/exe"), os.path.realpath(program))
            path, _, _, factory = self.instance(bus)
            factory.Release(path)
            self.assertTrue(wait_until(lambda: not service_owned(), END_SECONDS))
        finally:
            unregistered = subprocess.run([program, "/unregserver"], capture_output=True, text=True, timeout=30)
        self.assertEqual(unregistered.returncode, 0, unregistered.stderr)
        self.assertFalse(os.path.exists(service_file))
        again = subprocess.run([program, "-unregserver"], capture_output=True, text=True, timeout=30)
        self.assertEqual(again.returncode, 0, again.stderr)
        return exec_lines

    def test_activation(self):
        self.assertEqual(self.register_and_activate(VANTOR), [f"Exec={VANTOR} -automation"])

    def test_activation_from_a_folder_with_quote_blank_and_dollar(self):
        folder = tempfile.mkdtemp(prefix="v-quo'te $HOME ")
        try:
            program = os.path.join(folder, "vantor")
            shutil.copy2(VANTOR, program)
            self.assertEqual(self.register_and_activate(program),
                             ["Exec='" + program.replace("'", "'\"'\"'") + "' -automation"])
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def test_unregserver_removes_only_its_own_file(self):
        services = os.path.join(os.environ["XDG_DATA_HOME"], "dbus-1", "services")
        service_file = os.path.join(services, SERVICE + ".service")
        os.makedirs(service_file)
        try:
            folder = subprocess.run([VANTOR, "-unregserver"], capture_output=True, text=True, timeout=30)
            self.assertEqual(folder.returncode, 1)
            self.assertIn("is not an activation file", folder.stderr)
            self.assertTrue(os.path.isdir(service_file))
        finally:
            os.rmdir(service_file)
        with open(service_file, "w", encoding="utf-8") as file:
            file.write("[D-BUS Service]\nName=org.example.Other\nExec=/bin/true\n")
        try:
            foreign = subprocess.run([VANTOR, "-unregserver"], capture_output=True, text=True, timeout=30)
            self.assertEqual(foreign.returncode, 1)
            self.assertTrue(os.path.isfile(service_file))
        finally:
            os.remove(service_file)

    @staticmethod
    def kill_left(pid):
        try:
            with open(f"/proc/{pid}/stat", encoding="utf-8") as stat:
                if stat.read().rsplit(")", 1)[1].split()[0] == "Z":
                    return
            os.kill(pid, signal.SIGKILL)
        except (OSError, IndexError):
            pass

    @unittest.skipUnless(BUILD_DIR, "no build folder given")
    def test_installed_activation_file(self):
        prefix = tempfile.mkdtemp()
        try:
            installed = subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], capture_output=True,
                                       text=True, timeout=120)
            self.assertEqual(installed.returncode, 0, installed.stderr)
            service_file = os.path.join(prefix, "share", "dbus-1", "services", SERVICE + ".service")
            with open(service_file, encoding="utf-8") as file:
                lines = file.read().splitlines()
            self.assertIn(f"Name={SERVICE}", lines)
            self.assertIn(f"Exec={prefix}/bin/vantor -automation", lines)
            self.assertTrue(os.access(os.path.join(prefix, "bin", "vantor"), os.X_OK))
        finally:
            shutil.rmtree(prefix, ignore_errors=True)


def run_on_private_bus():
    root = tempfile.mkdtemp(prefix="vantor-bus-test.")
    try:
        env = dict(os.environ)
        for name in ("config", "data", "runtime", "home"):
            os.mkdir(os.path.join(root, name), 0o700)
        env.update(XDG_CONFIG_HOME=os.path.join(root, "config"), XDG_DATA_HOME=os.path.join(root, "data"),
                   XDG_RUNTIME_DIR=os.path.join(root, "runtime"), HOME=os.path.join(root, "home"),
                   QT_QPA_PLATFORM="offscreen", VANTOR_BUS_TEST_INNER="1",
                   # An activated program must not linger should a case fail half-way.
                   VANTOR_AUTOMATION_IDLE_SECONDS="20")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return subprocess.run(["dbus-run-session", "--", sys.executable, __file__, *sys.argv[1:]], env=env,
                              timeout=220).returncode
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    if not VANTOR:
        sys.exit(__doc__)
    if os.environ.get("VANTOR_BUS_TEST_INNER") != "1":
        sys.exit(run_on_private_bus())
    unittest.main(argv=[sys.argv[0], "-v"])
