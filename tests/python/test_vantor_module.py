"""The vantor module against vantor-cli: the same figures for the same options, the errors
and warnings of the command line, rate_many over many coils with the interpreter free."""

import ast
import inspect
import json
import math
import os
import subprocess
import sys
import threading
import warnings
from pathlib import Path

import numpy as np
import pytest

import vantor

CLI = os.environ.get("VANTOR_CLI", "vantor-cli")
STUB = Path(vantor.__file__).with_name("__init__.pyi")


def cli_json(*args):
    done = subprocess.run([CLI, *args, "--json"], capture_output=True, text=True, check=False)
    assert done.stdout, done.stderr
    return json.loads(done.stdout)


def assert_same(ours, theirs, where="result"):
    """Equal to 1e-9; NaN in Python is what JSON writes as null."""
    if isinstance(theirs, dict):
        assert list(ours) == list(theirs), where
        for key in theirs:
            assert_same(ours[key], theirs[key], f"{where}.{key}")
    elif isinstance(theirs, list):
        assert len(ours) == len(theirs), where
        for i, (a, b) in enumerate(zip(ours, theirs)):
            assert_same(a, b, f"{where}[{i}]")
    elif theirs is None:
        assert ours is None or (isinstance(ours, float) and math.isnan(ours)), where
    elif isinstance(theirs, float):
        assert ours == pytest.approx(theirs, rel=1e-9, abs=1e-9), where
    else:
        assert ours == theirs, where


COIL = ["--model", "600 900 3r 10f 6c", "--air-volume", "1.8", "--fluid-inlet", "75", "--design-dt", "15"]
COIL_KW = dict(model="600 900 3r 10f 6c", air_volume=1.8, fluid_inlet=75, design_dt=15)


def test_the_same_figures_as_the_command_line():
    assert_same(vantor.rate(), cli_json("rate", "--no-settings"))
    assert_same(vantor.rate(**COIL_KW), cli_json("rate", "--no-settings", *COIL))
    # Rows apply in row order whatever the keyword order: the face velocity row comes after
    # the air volume row and wins.
    assert_same(vantor.rate(air_velocity=2.5, air_volume=1.0),
                cli_json("rate", "--no-settings", "--air-volume", "1.0", "--air-velocity", "2.5"))
    assert_same(vantor.size(by="face-area", design_duty=40, **{k: v for k, v in COIL_KW.items() if k != "model"}),
                cli_json("size", "--no-settings", "--by", "face-area", "--design-duty", "40", *COIL[2:]))
    assert_same(vantor.simulate(**COIL_KW), cli_json("simulate", "--no-settings", *COIL))
    assert_same(vantor.select(design_duty=30, air_volume=1.5, top=5, distinct=True),
                cli_json("select", "--no-settings", "--design-duty", "30", "--air-volume", "1.5", "--top", "5",
                         "--distinct"))
    assert_same(vantor.air("25/17"), cli_json("air", "25/17"))
    assert_same(vantor.air(pair=(3, 20, 0.5), pressure=95), cli_json("air", "--pair", "3", "20", "0.5",
                                                                      "--pressure", "95"))
    assert_same(vantor.fluid(additive=2, volume=0.4, t=70), cli_json("fluid", "--additive", "2", "--volume", "0.4",
                                                                      "--t", "70"))
    assert_same(vantor.geometry("544 720 4r 12f 7c"), cli_json("geometry", "544 720 4r 12f 7c"))


def test_refused_input_raises_input_error_naming_the_keyword():
    with pytest.raises(vantor.InputError) as error:
        vantor.rate(model="544 720 4r")
    assert str(error.value) == 'model: "544 720 4r": fewer than five readable numbers'
    assert isinstance(error.value, ValueError)
    with pytest.raises(vantor.InputError, match=r'^air_volume: "lots" is not a number$'):
        vantor.rate(air_volume="lots")
    # The value given is quoted as given, even when it looks like an option.
    with pytest.raises(vantor.InputError, match=r'^design_dt: "--5" is not a number$'):
        vantor.rate(design_dt="--5")
    with pytest.raises(vantor.InputError, match="^maker: "):
        vantor.rate(maker="Nobody")
    with pytest.raises(vantor.InputError, match="^by: "):
        vantor.size(by="sideways")
    with pytest.raises(vantor.InputError, match="Invalid designation"):
        vantor.geometry("544 720")
    with pytest.raises(TypeError, match="air_volumes"):
        vantor.rate(air_volumes=2)


def test_warnings_are_vantor_warnings_with_the_command_line_texts():
    with pytest.warns(vantor.VantorWarning) as caught:
        result = vantor.rate(air_volume=1000)
    texts = [str(w.message) for w in caught]
    assert texts[0].startswith("air_volume: ") and "100 used" in texts[0]
    assert result["AirVolume"] == pytest.approx(100)
    with pytest.warns(vantor.VantorWarning):
        vantor.air("20/25")  # a wet bulb above the dry bulb is corrected
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        vantor.rate(**COIL_KW)  # a coil within its rows' ranges warns about nothing


def test_rate_many_equals_rate_line_by_line_and_reports_a_bad_line():
    volumes = np.linspace(0.6, 3.6, 40)
    models = ["600 900 3r 10f 6c"] * 40
    models[7] = "600 x 1200"
    out = vantor.rate_many(air_volume=volumes, model=models, fluid_inlet=75, design_dt=15)
    assert isinstance(out["Qt"], np.ndarray) and out["Qt"].shape == (40,)
    assert isinstance(out["Model"], list) and isinstance(out["Message"], list)
    assert math.isnan(out["Qt"][7]) and math.isnan(out["Status"][7])
    assert out["Message"][7] == '--model: "600 x 1200": fewer than five readable numbers'
    keys = {"Qt": "Qt", "Qs": "Qs", "LeavingTemp": "LeavingTemp", "AirPressureDrop": "AirPressureDrop",
            "FluidPressureDrop": "FluidPressureDrop", "FluidFlow": "FluidFlow", "TubeVelocity": "TubeVelocity",
            "AirVolume": "AirVolume", "AirVelocity": "AirVelocity", "AirMassFlow": "AirMassFlow",
            "Status": "Status", "PipeSize": "PipeSize"}
    for i in (0, 13, 39):
        single = vantor.rate(air_volume=float(volumes[i]), model=models[i], fluid_inlet=75, design_dt=15)
        for column, key in keys.items():
            assert out[column][i] == pytest.approx(single[key], rel=1e-12), (i, column)
        assert out["AirOffDryBulb"][i] == pytest.approx(single["AirOff"]["db"], rel=1e-12)
        assert out["Model"][i] == single["Model"]
        assert out["StatusText"][i] == single["StatusText"]


def test_rate_many_summarises_the_lines_with_warnings():
    with pytest.warns(vantor.VantorWarning, match="^2 of 3 lines had warnings"):
        out = vantor.rate_many(air_volume=[1000, 1.5, 500])
    assert "warning: " in out["Message"][0] and out["Message"][1] == ""
    with pytest.raises(ValueError, match="model: 2 values"):
        vantor.rate_many(air_volume=[1, 2, 3], model=["544 720 4r 12f 7c"] * 2)


def test_rate_many_releases_the_interpreter_lock():
    ticks = 0
    stop = threading.Event()

    def count():
        nonlocal ticks
        while not stop.is_set():
            ticks += 1

    counter = threading.Thread(target=count)
    counter.start()
    try:
        before = ticks
        vantor.rate_many(air_volume=np.linspace(0.6, 3.6, 3000))
        during = ticks - before
    finally:
        stop.set()
        counter.join()
    # Held for the whole run, the lock would let the counter in only at the switch interval
    # around the call, a handful of ticks.
    assert during > 10000


def test_every_public_name_has_a_stub_and_import_is_silent():
    tree = ast.parse(STUB.read_text())
    stubbed = {node.name for node in tree.body if isinstance(node, (ast.FunctionDef, ast.ClassDef))}
    assert set(vantor.__all__) <= stubbed
    for node in tree.body:
        if isinstance(node, ast.FunctionDef):
            stub_args = [a.arg for a in node.args.args]
            ours = [p.name for p in inspect.signature(getattr(vantor, node.name)).parameters.values()
                    if p.kind in (p.POSITIONAL_ONLY, p.POSITIONAL_OR_KEYWORD)]
            assert stub_args == ours, node.name
    for name in vantor.__all__:
        assert getattr(vantor, name).__doc__, name
    done = subprocess.run([sys.executable, "-c", "import vantor"], capture_output=True, text=True, check=True)
    assert done.stdout == "" and done.stderr == ""


def random_question(draw):
    """One rating question as keyword options, drawn from a seeded generator: any coil the
    designation can name (some cannot be built), any air (some needs correcting), water or a
    glycol, flow or temperature control."""
    options = dict(model=f"{draw.randint(250, 1500)} {draw.randint(400, 3000)} {draw.randint(1, 8)}r "
                         f"{draw.randint(6, 14)}f {draw.randint(1, 40)}c",
                   barometer=round(draw.uniform(80, 105), 3))
    dry_bulb = round(draw.uniform(-10, 35), 1)
    options["on_coil"] = f"{dry_bulb}/{round(dry_bulb - draw.uniform(-1, 12), 1)}"
    if draw.random() < 0.5:
        options["air_volume"] = round(draw.uniform(0.2, 6), 3)
    else:
        options["air_velocity"] = round(draw.uniform(0.5, 5), 2)
    if draw.random() < 0.4:
        options.update(additive=draw.randint(1, 2), additive_volume=round(draw.uniform(0.1, 0.45), 2))
    options["fluid_inlet"] = round(draw.uniform(35, 95), 1)
    if draw.random() < 0.5:
        options.update(fluid_control="flow", fluid_flow=round(draw.uniform(0.05, 5), 4))
    else:
        options.update(fluid_control="temperature", design_dt=round(draw.uniform(2, 30), 1))
    return options


def test_random_questions_get_the_command_lines_answers():
    """300 seeded questions: the module answers each exactly as vantor-cli does — the same
    figures, the same refusal, the same warnings."""
    import random
    draw = random.Random(20261210)
    refused = 0
    for case in range(300):
        options = random_question(draw)
        arguments = ["rate", "--no-settings"]
        for key, value in options.items():
            arguments += ["--" + key.replace("_", "-"), str(value)]
        done = subprocess.run([CLI, *arguments, "--json"], capture_output=True, text=True, check=False)
        cli_warnings = [line[len("vantor-cli: warning: "):] for line in done.stderr.splitlines()
                        if line.startswith("vantor-cli: warning: ")]
        with warnings.catch_warnings(record=True) as caught:
            warnings.simplefilter("always")
            try:
                ours = vantor.rate(**options)
            except vantor.InputError as error:
                refused += 1
                assert not done.stdout, (case, options)
                name, _, message = str(error).partition(": ")
                assert f"--{name.replace('_', '-')}: {message}" in done.stderr, (case, options, done.stderr)
                continue
        assert done.stdout, (case, options, done.stderr)
        assert_same(ours, json.loads(done.stdout), f"case {case} {options}")
        texts = [str(w.message) for w in caught if issubclass(w.category, vantor.VantorWarning)]
        assert len(texts) == len(cli_warnings), (case, options, texts, cli_warnings)
    # The draw reaches both outcomes.
    assert 0 < refused < 300
