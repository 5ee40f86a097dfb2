"""Vantor's rating engine for hot-water heating coils, in-process.

The functions take the options of ``vantor-cli`` as keywords, their long names with "_"
for "-" (``air_volume=2.0`` for ``--air-volume 2.0``), in the command line's units and
texts: air volume m³/s, temperatures °C, barometer kPa, duty kW, ``on_coil="25/17"``,
``by="face-area"``. Every call starts from the first-run defaults (never the stored
settings) and applies the row keywords in row order, whatever order they are given in,
as the command line does. Results are plain dicts with the keys the command writes with
``--json``, in SI units.

Refused input raises :class:`InputError` (a ``ValueError``) naming the keyword; warnings
(values outside a row's range, corrected air states) are issued as :class:`VantorWarning`.

>>> import vantor
>>> vantor.rate(air_volume=2.0, fluid_inlet=80)["Qt"]        # doctest: +SKIP
"""

import math
import os
import warnings
from pathlib import Path

import numpy as np


def _find_maker_root():
    # The data files lie beside the package: <build>/share/korvane in the build tree,
    # <prefix>/share/korvane when installed under <prefix>/lib/python3/dist-packages.
    if "VANTOR_MAKER_ROOT" in os.environ:
        return
    here = Path(__file__).resolve().parent
    for root in (here.parents[1], here.parents[3] if len(here.parents) > 3 else None):
        if root is not None and (root / "share" / "korvane").is_dir():
            os.environ["VANTOR_MAKER_ROOT"] = str(root / "share" / "korvane")
            return


_find_maker_root()

from . import _vantor  # noqa: E402  (needs the maker root first)

__all__ = [
    "InputError",
    "VantorWarning",
    "rate",
    "size",
    "simulate",
    "select",
    "air",
    "fluid",
    "geometry",
    "rate_many",
]

InputError = _vantor.InputError
InputError.__module__ = "vantor"
InputError.__doc__ = ("Refused input: a value that cannot be read or used. The message names the "
                      "keyword, as the command line names the option.")


class VantorWarning(UserWarning):
    """A value the engine changed or warns about: outside its row's range, a corrected air
    state, a sizing or solve that did not succeed."""


_ROW_KEYWORDS = frozenset(_vantor.row_keywords())
_RATE_KEYWORDS = _ROW_KEYWORDS | {"maker"}
_SELECT_SPACE = frozenset({
    "all_makers", "height", "length", "min_height", "max_height", "min_length", "max_length",
    "max_face_velocity", "aspect", "rows", "fins", "max_air_dp", "max_fluid_dp",
    "tube_velocity_range", "margin", "top", "distinct"})
_SELECT_ROWS = frozenset({
    "design_duty", "maker", "range", "barometer", "on_coil", "air_volume", "fluid_spec",
    "additive", "additive_volume", "user", "fluid_inlet", "design_dt", "fluid_flow"})


def _text(value):
    """A keyword's value as the command line would be given it."""
    if isinstance(value, str):
        return value
    if isinstance(value, bool):
        raise TypeError("a number or text is expected, not a bool")
    if isinstance(value, (tuple, list)):
        return "/".join(_text(v) for v in value)  # on_coil=(25, 17)
    if isinstance(value, (int, np.integer)):
        return str(int(value))
    if isinstance(value, (float, np.floating)):
        return repr(float(value))
    raise TypeError(f"a number or text is expected, not {type(value).__name__}")


def _texts(function, options, known):
    unknown = sorted(set(options) - known)
    if unknown:
        raise TypeError(f"{function}() got unexpected keyword(s): {', '.join(unknown)}")
    out = {}
    for name, value in options.items():
        if value is None:
            continue
        try:
            out[name] = _text(value)
        except TypeError as error:
            raise TypeError(f"{name}: {error}") from None
    return out


def _warn(lines):
    for line in lines:
        warnings.warn(line, VantorWarning, stacklevel=3)


def rate(**options):
    """Rate a coil as ``vantor-cli rate --no-settings --json`` does.

    Keywords (each optional; the first-run defaults stand for the others):
      model            designation, "544 720 4r 12f 7c" (finned height and length mm, rows,
                       fins per inch, circuits)
      maker, range     the catalogue's coil maker and tube range, by name
      barometer        kPa
      on_coil          on-coil air "db/wb" in °C, as "25/17" (or a pair (25, 17))
      air_volume       m³/s                 air_velocity   face velocity, m/s
      fluid_spec       fluid code 0-13      additive       0 none, 1 ethylene glycol,
      additive_volume  fraction, 0.3        2 propylene glycol, 3 calcium chloride
      user             own fluid "RO,CP,MU,KO"
      fluid_control    "temperature" or "flow"
      fluid_inlet      °C                   design_dt      K
      fluid_flow       kg/s                 tube_velocity  m/s
      design_duty      kW                   calculate      "duty" or "size"

    Returns the dict of ``rate --json``: the row values (Model, Barometer, OnCoil, AirVolume,
    AirVelocity, HeatingFluid, FluidControl, FluidInlet, DesignDT, FluidFlow, TubeVelocity,
    DesignDuty, Calculate, Maker, Range), the solve (Status, SolveResult, Solved, StatusText)
    and the results (Qt and Qs kW, e, Ntu, ..., AirMassFlow kg/s, AirOff (a moist-air state
    dict), LeavingTemp °C, AirPressureDrop Pa, FluidPressureDrop kPa, PipeSize, fHeight and
    fLength m, Rows, fpi, Circ, Warnings). A failed solve is reported in Status, SolveResult
    and StatusText, not raised; with calculate="size" RequestedDuty is added.
    """
    json, lines = _vantor.rate(_texts("rate", options, _RATE_KEYWORDS), False, "", False)
    _warn(lines)
    return json


def size(by=None, keep_air_volume=False, **options):
    """Size a coil for the design duty as ``vantor-cli size --no-settings --json`` does.

    by               one of the fin and tube editor's sizings: "face-area", "height", "length",
                     "rows", "fins", "rows-and-fins"; without it the coil is sized in "Coil
                     Size" mode
    keep_air_volume  with by: keep the air volume given (else the design face velocity applies)
    **options        the keywords of :func:`rate` except ``calculate``

    Returns the dict of ``size --json``: the keys of :func:`rate` with RequestedDuty (kW)
    before Qt, and SizeResult (the sizing's status) when ``by`` is given. A sizing that does
    not succeed is warned about and shows in SizeResult.
    """
    json, lines = _vantor.rate(_texts("size", options, _RATE_KEYWORDS - {"calculate"}), True,
                               by or "", bool(keep_air_volume))
    _warn(lines)
    return json


def simulate(**options):
    """The step-by-step simulation of the rated coil, as ``vantor-cli simulate --json``.

    Takes the keywords of :func:`rate`. Returns a dict: Duty (kW), DutyLabel, FluidLabel,
    AirLabel, Legends (four names), FirstIndex, LastIndex and Series, a dict of four lists of
    temperatures in °C, one value per step: Fluid, Air, Surface, DewPoint. A rating that does
    not solve raises InputError with its reason.
    """
    json, lines = _vantor.simulate(_texts("simulate", options, _RATE_KEYWORDS))
    _warn(lines)
    return json


def select(**requirement):
    """The catalogue's coils that meet a design duty, lightest first (``vantor-cli select``).

    Required: design_duty (kW) and air_volume (m³/s). Optional: maker or all_makers=True,
    range, barometer (kPa), on_coil ("db/wb"), fluid_spec, additive, additive_volume, user,
    fluid_inlet (°C), design_dt (K) or fluid_flow (kg/s); the candidates: height and length
    (fixed, mm) or min_height, max_height, min_length, max_length (mm), aspect ("0.5-5"),
    rows ("1-8"), fins ("6-14"); the limits: max_face_velocity (m/s), max_air_dp (Pa),
    max_fluid_dp (kPa), tube_velocity_range ("0.3-2.5", m/s), margin (%); top (results, 20)
    and distinct (only the lightest face of each coil).

    Returns a list of dicts with the keys of ``select --json``: Maker, Range, Model,
    MakerDesignation, Rows, fpi, Circ, fHeight, fLength (m), AirVelocity, Qt (kW), Margin,
    AirPressureDrop, FluidPressureDrop, FluidFlow, TubeVelocity, LeavingTemp, AirOff,
    PipeSize, DryWeight (kg). An empty list comes with a warning saying which limit ruled out
    the most candidates.
    """
    for needed in ("design_duty", "air_volume"):
        if requirement.get(needed) is None:
            raise TypeError(f"select() needs {needed}")
    rows = {k: v for k, v in requirement.items() if k not in _SELECT_SPACE}
    space = {k: v for k, v in requirement.items() if k in _SELECT_SPACE}
    results, lines = _vantor.select(_texts("select", rows, _SELECT_ROWS), space)
    _warn(lines)
    return results


def air(text=None, pair=None, pressure=_vantor.STANDARD_ATMOSPHERE):
    """A moist-air state, as ``vantor-cli air --json``.

    text      dry bulb/wet bulb in °C, "25/17"; a dry bulb alone takes 50 % RH
    pair      instead of text: (code, x, y), a pair code and its two properties in SI units
              (code 3: dry bulb °C and relative humidity 0..1)
    pressure  barometric pressure, kPa (the standard atmosphere unless given)

    Returns a dict: P (kPa), db, wb, td (°C), h (kJ/kg), W (kg/kg), RH (0..1), pv, ps (kPa),
    ro (kg/m³), cp (kJ/kg·K), k, mu, status (the library's code) and message (empty when the
    state is possible). A temperature of the text changed to give a possible state is warned
    about.
    """
    pair_texts = [] if pair is None else [_text(v) for v in pair]
    if pair is not None and len(pair_texts) != 3:
        raise TypeError("pair takes three values: (code, x, y)")
    json, lines = _vantor.air("" if text is None else _text(text), pair_texts, _text(pressure))
    _warn(lines)
    return json


def fluid(fluid_spec=0, additive=0, volume=None, t=40, pf=5, user=None):
    """A heating fluid's properties, as ``vantor-cli fluid --json``.

    fluid_spec  fluid code 0-13 (0 water, 13 compressed air)
    additive  water additive: 0 none, 1 ethylene glycol, 2 propylene glycol, 3 calcium chloride
    volume    additive volume fraction 0.01-0.45 (an additive without one starts at 0.3)
    t         mean fluid temperature, °C
    pf        fluid pressure, bar (compressed air)
    user      own properties "RO,CP,MU,KO": kg/m³, kJ/(kg·K), Pa·s, kW/(m·K)

    Returns a dict: Caption, ShortCaption, t (°C), ro (kg/m³), Cp (kJ/kg·K), mu (Pa·s),
    Ko (kW/m·K), Pr, Tmin, Tmax (°C) and OutOfRange.
    """
    options = {"fluid_spec": fluid_spec, "additive": additive, "volume": volume, "t": t, "pf": pf, "user": user}
    json, lines = _vantor.fluid(_texts("fluid", options, set(options)))
    _warn(lines)
    return json


def geometry(model, maker="Typical", range=None, tube=None):  # noqa: A002  (the option's name)
    """The fin-and-tube geometry of a designation, as ``vantor-cli geometry --json``.

    model   designation, "544 720 4r 12f 7c"
    maker   the catalogue's coil maker
    range   the maker's tube range, by name (or tube: the tube size code)

    Returns a dict: Designation, ErrorCode, MakerDesignation, SerpLabel, ModelRec (the
    catalogue record), TubesHigh, TubeCount, FaceArea, OutsideArea, InsideArea, FinArea (m²),
    AreaRatio, BoreArea, Sigma, HydraulicDiameter, FinPitch, FinCount, Depth (m),
    FinEfficiency, SurfaceEfficiency, InternalVolume (m³), DryWeight (kg), OppositeEnd.
    """
    json, lines = _vantor.geometry(_text(model), _text(maker), "" if range is None else _text(range),
                                   None if tube is None else int(tube))
    _warn(lines)
    return json


_NUMBER_COLUMNS_DOC = ("Status", "Qt", "Qs", "LeavingTemp", "AirOffDryBulb", "AirOffWetBulb",
                       "AirPressureDrop", "FluidPressureDrop", "FluidFlow", "TubeVelocity",
                       "AirVolume", "AirVelocity", "AirMassFlow", "PipeSize")


def rate_many(**columns):
    """Rate many coils at once, as the lines of ``vantor-cli rate --batch``, on every core.

    Each keyword of :func:`rate` is a scalar (the same for every coil) or a sequence or
    numpy array of one common length N. The interpreter's lock is released while rating.

    Returns a dict of the schedule's result columns: Status, Qt, Qs, LeavingTemp,
    AirOffDryBulb, AirOffWetBulb, AirPressureDrop, FluidPressureDrop, FluidFlow,
    TubeVelocity, AirVolume, AirVelocity, AirMassFlow and PipeSize as float numpy arrays of
    length N; StatusText, Model and Message as lists. A line with refused input has NaN
    results and says why in its Message; a line's warnings go into its Message, and one
    VantorWarning tells how many lines had warnings.
    """
    count = None
    for name, value in columns.items():
        if isinstance(value, (str, bytes)) or not hasattr(value, "__len__"):
            continue
        if count is not None and len(value) != count:
            raise ValueError(f"{name}: {len(value)} values where the other columns have {count}")
        count = len(value)
    if count is None:
        count = 1
    texts = {}
    unknown = sorted(set(columns) - _RATE_KEYWORDS)
    if unknown:
        raise TypeError(f"rate_many() got unexpected keyword(s): {', '.join(unknown)}")
    for name, value in columns.items():
        values = [value] * count if isinstance(value, (str, bytes)) or not hasattr(value, "__len__") \
            else list(value.tolist() if isinstance(value, np.ndarray) else value)
        try:
            texts[name] = ["" if v is None or (isinstance(v, float) and math.isnan(v)) else _text(v)
                           for v in values]
        except TypeError as error:
            raise TypeError(f"{name}: {error}") from None
    # An empty text stands for "not given" on its line, as an empty cell of a schedule.
    result, warned, lines = _vantor.rate_many(texts, count)
    _warn(lines)
    if warned:
        warnings.warn(f"{warned} of {count} lines had warnings (see their Message)", VantorWarning, stacklevel=2)
    return result
