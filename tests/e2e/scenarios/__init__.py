"""The scenarios by subject; each takes the Programs of the build."""
import dataclasses


@dataclasses.dataclass(frozen=True)
class Programs:
    game: str
    probe: str = None
    frames: str = None
    scene: str = None


def all_scenarios():
    from . import desktop, first_hour, hands, menus, player, sound, window, world_view
    found = {}
    for module in (window, menus, hands, player, world_view, first_hour, sound, desktop):
        found.update(module.SCENARIOS)
    return found
