# Type stubs of the vantor package, for editors and type checkers.
from typing import Any, Sequence, Union

import numpy as np
import numpy.typing as npt

_Number = Union[int, float]
_Value = Union[str, _Number, Sequence[_Number]]
_Column = Union[_Value, Sequence[_Value], npt.NDArray[Any]]

__all__: list[str]

class InputError(ValueError): ...
class VantorWarning(UserWarning): ...

def rate(
    *,
    model: str | None = ...,
    maker: str | None = ...,
    range: str | None = ...,
    barometer: _Number | str | None = ...,
    on_coil: _Value | None = ...,
    air_volume: _Number | str | None = ...,
    air_velocity: _Number | str | None = ...,
    fluid_spec: int | str | None = ...,
    additive: int | str | None = ...,
    additive_volume: _Number | str | None = ...,
    user: str | None = ...,
    fluid_control: str | None = ...,
    fluid_inlet: _Number | str | None = ...,
    design_dt: _Number | str | None = ...,
    fluid_flow: _Number | str | None = ...,
    tube_velocity: _Number | str | None = ...,
    design_duty: _Number | str | None = ...,
    calculate: str | None = ...,
) -> dict[str, Any]: ...
def size(by: str | None = ..., keep_air_volume: bool = ..., **options: _Value) -> dict[str, Any]: ...
def simulate(**options: _Value) -> dict[str, Any]: ...
def select(**requirement: _Value | bool) -> list[dict[str, Any]]: ...
def air(
    text: str | None = ..., pair: tuple[int, float, float] | None = ..., pressure: _Number | str = ...
) -> dict[str, Any]: ...
def fluid(
    fluid_spec: int | str = ...,
    additive: int | str = ...,
    volume: _Number | str | None = ...,
    t: _Number | str = ...,
    pf: _Number | str = ...,
    user: str | None = ...,
) -> dict[str, Any]: ...
def geometry(
    model: str, maker: str = ..., range: str | None = ..., tube: int | None = ...
) -> dict[str, Any]: ...
def rate_many(**columns: _Column) -> dict[str, Union[np.ndarray, list[str]]]: ...
