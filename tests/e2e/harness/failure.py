"""A failed check, and the one way scenarios raise it."""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
